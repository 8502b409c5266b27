#pragma once

#include "common/base/Messages.h"

#include <QUrl>

namespace tallix {

// The seam as the windows show it: QMessageBox for messages and questions, QFileDialog for file
// choices, the desktop's default handler for documents and addresses, QProcess for programs.
// Boxes are modal to the active window.
class WidgetMessages : public IMessages {
public:
    void showMessage(const QString& text, const QString& title, Icon icon) override;
    Answer ask(const QString& text, const QString& title, Icon icon, Buttons buttons,
               Answer defaultAnswer) override;
    void beep() override;
    std::optional<QString> chooseOpenFile(const FileChoice& choice) override;
    std::optional<QString> chooseSaveFile(const FileChoice& choice) override;
    LaunchResult launch(const QString& target) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;

    // The address handed to the desktop: a URL when the target has a scheme of two or more
    // letters (http:, mailto:), else a local file.
    static QUrl urlOf(const QString& target);
};

// Installs the widget implementation for the rest of the program's life. Programs with windows
// call it once at start-up, after creating their QApplication.
void installWidgetMessages();

} // namespace tallix
