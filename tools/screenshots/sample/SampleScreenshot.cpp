// Renders the sample client's window for the README:
//
//   build/tools/screenshots/sample/screenshot_sample docs/screenshots/sample-client.png
//
// It runs on the offscreen platform (no display needed) and only draws the window: no component
// is loaded and no database is reached.
#include "samples/component/IPubsServer.h"
#include "samples/pubsclient/ui/Form1.h"
#include "tools/screenshots/Screenshot.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv)
{
    tallix::screenshots::useOffscreenPlatform();
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot_sample <file.png>\n");
        return 2;
    }
    const QString file = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    QDir().mkpath(QFileInfo(file).absolutePath());

    tallix::pubs::Form1 form({}, QLatin1String(tallix::pubs::kClassId));
    form.show();
    QApplication::processEvents();
    const QImage picture =
        tallix::screenshots::withTitleBar(form, tallix::screenshots::TitleBar::MainWindow);
    return tallix::screenshots::save(picture, file) ? 0 : 1;
}
