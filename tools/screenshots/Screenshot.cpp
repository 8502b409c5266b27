#include "tools/screenshots/Screenshot.h"

#include <QDir>
#include <QPainter>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QWidget>
#include <cstdio>

namespace tallix::screenshots {

void useOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
}

// A short name: the generator's picture shows paths inside the folder.
ScratchSettings::ScratchSettings()
    : m_folder(QDir::tempPath() + QStringLiteral("/demo-XXXXXX"))
    , m_store(m_folder.filePath(QStringLiteral("settings.ini")))
    , m_useStore(m_store)
{}

QImage withTitleBar(QWidget& window, TitleBar kind)
{
    const QPixmap client = window.grab();
    QStyleOptionTitleBar bar;
    bar.initFrom(&window);
    bar.text = window.windowTitle();
    bar.titleBarFlags =
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    bar.subControls = QStyle::SC_TitleBarLabel | QStyle::SC_TitleBarCloseButton;
    if (kind == TitleBar::MainWindow) {
        bar.titleBarFlags |= Qt::WindowMinMaxButtonsHint;
        bar.subControls |= QStyle::SC_TitleBarMaxButton | QStyle::SC_TitleBarMinButton;
    }
    bar.state |= QStyle::State_Active;
    bar.titleBarState = Qt::WindowActive;
    const int height = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, &bar, &window);
    bar.rect = QRect(0, 0, client.width(), height);

    QImage image(client.width(), client.height() + height, QImage::Format_RGB32);
    image.fill(window.palette().color(QPalette::Window));
    QPainter painter(&image);
    window.style()->drawComplexControl(QStyle::CC_TitleBar, &bar, &painter, &window);
    painter.drawPixmap(0, height, client);
    painter.setPen(window.palette().color(QPalette::Dark));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

bool save(const QImage& image, const QString& path)
{
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace tallix::screenshots
