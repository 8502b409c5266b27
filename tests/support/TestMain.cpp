#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

// Every test program runs inside a Qt application object with test-mode paths,
// so settings and data locations never touch the user's own.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    tallix::test::serializeLiveServerTests();
    return RUN_ALL_TESTS();
}
