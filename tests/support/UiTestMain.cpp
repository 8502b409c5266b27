#include "common/settings/SettingsStore.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Widget tests run in a QApplication on the offscreen platform with test-mode paths, and the
// settings store the windows use lives in a scratch folder, so no test reads or writes the
// user's own registered servers or recent files.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return 2;
    tallix::SettingsStore store(QDir(scratch.path()).filePath(QStringLiteral("settings.ini")));
    tallix::ScopedSettingsStore useStore(store);
    ::testing::InitGoogleTest(&argc, argv);
    tallix::test::serializeLiveServerTests();
    return RUN_ALL_TESTS();
}
