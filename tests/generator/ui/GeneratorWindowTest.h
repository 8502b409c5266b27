#pragma once

#include "common/settings/SettingsStore.h"
#include "common/ui/Grid.h"
#include "generator/ui/frmMain.h"
#include "tests/common/db/AuditDatabase.h"
#include "tests/support/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace tallix::test {

// A SQLite server folder with the database "shop" (tables Orders, OrderLines with a composite
// key, Notes with a text column, Huge with a key over 900 characters, a view and the audit
// tables), registered as the default server in a settings store of the test's own.
class GeneratorWindowTest : public ::testing::Test {
protected:
    GeneratorWindowTest();
    ~GeneratorWindowTest() override;

    // Registers the server folder (default database "shop") and opens the window on it.
    frmMain& open(bool registerServer = true);

    template <typename W> W* child(const char* name) const
    {
        W* w = m_window->findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void trigger(const char* commandId) const;
    void click(const char* buttonName) const;
    // A left click on a cell of a grid, as the user makes it.
    void clickCell(const char* gridName, int row, int col) const;
    void type(const char* lineEditName, const QString& text) const;
    // Rows of a grid below its header, each as its cells' texts joined by '|'; check-box cells
    // read "x" or ".".
    QStringList rowsOf(const char* gridName) const;
    QString path(const QString& name) const { return m_files.filePath(name); }

    RecordingMessages messages;
    AuditDatabase server;
    QTemporaryDir m_files;
    SettingsStore m_store{m_files.filePath(QStringLiteral("settings.ini"))};
    ScopedSettingsStore m_scopedStore{m_store};
    std::unique_ptr<frmMain> m_window;
};

} // namespace tallix::test
