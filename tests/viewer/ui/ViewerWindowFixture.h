#pragma once

#include "common/settings/Servers.h"
#include "common/settings/SettingsStore.h"
#include "tests/common/db/AuditDatabase.h"
#include "tests/support/TestSupport.h"
#include "viewer/ui/frmTallixViewer.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace tallix::test {

// The viewer's window over the test's own settings store, with the audit database folder at hand
// to register as a server; every question and file dialog goes to `messages`. Tests make
// `window` themselves, once the servers they want are registered.
class ViewerWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        store = std::make_unique<SettingsStore>(scratch.filePath(QStringLiteral("settings.ini")));
        scope = std::make_unique<ScopedSettingsStore>(*store);
    }

    void registerServer(const QString& name, const QString& database, bool isDefault)
    {
        Servers servers;
        servers.LoadFromRegistry();
        servers.Add(name, QString(), QString(), database, isDefault, name);
        servers.SaveToRegistry();
    }

    template <typename T> T* control(const char* name)
    {
        T* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_TRUE(found) << name;
        return found;
    }

    QTemporaryDir scratch;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<ScopedSettingsStore> scope;
    AuditDatabase audit;
    RecordingMessages messages;
    std::unique_ptr<frmTallixViewer> window;
};

} // namespace tallix::test
