#pragma once

#include "common/settings/SettingsStore.h"

#include <QImage>
#include <QString>
#include <QTemporaryDir>

class QWidget;

// What the programs that draw the windows for docs/screenshots share: the offscreen platform,
// scratch settings, the title bar the offscreen platform lacks, and writing the picture.
namespace tallix::screenshots {

// Before the QApplication is made: the offscreen platform (unless another one is asked for)
// and test-mode paths, so no display is needed and the user's own files are never read.
void useOffscreenPlatform();

// A scratch folder whose settings store is in use while this lives, so the user's registered
// servers and recent projects are left alone.
class ScratchSettings {
public:
    ScratchSettings();
    ScratchSettings(const ScratchSettings&) = delete;
    ScratchSettings& operator=(const ScratchSettings&) = delete;

    bool isValid() const { return m_folder.isValid(); }
    QString path() const { return m_folder.path(); }
    QString filePath(const QString& name) const { return m_folder.filePath(name); }

private:
    QTemporaryDir m_folder;
    SettingsStore m_store;
    ScopedSettingsStore m_useStore;
};

// A dialog shows only a close button; a main window also its minimise and maximise buttons.
enum class TitleBar { Dialog, MainWindow };

// The window's client area under a title bar drawn by the style, framed by a thin line, since
// the offscreen platform has no window manager to draw one.
QImage withTitleBar(QWidget& window, TitleBar kind);

// Writes the picture (its format from the file's suffix) and prints its path; on failure says
// so on standard error and returns false.
bool save(const QImage& image, const QString& path);

} // namespace tallix::screenshots
