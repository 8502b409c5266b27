#include "common/ui/WidgetMessages.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

namespace tallix {

namespace {

QMessageBox::Icon boxIcon(IMessages::Icon icon)
{
    switch (icon) {
    case IMessages::Icon::None:
        return QMessageBox::NoIcon;
    case IMessages::Icon::Information:
        return QMessageBox::Information;
    case IMessages::Icon::Warning:
        return QMessageBox::Warning;
    case IMessages::Icon::Critical:
        return QMessageBox::Critical;
    case IMessages::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton boxButton(IMessages::Answer answer)
{
    switch (answer) {
    case IMessages::Answer::Yes:
        return QMessageBox::Yes;
    case IMessages::Answer::No:
        return QMessageBox::No;
    case IMessages::Answer::Cancel:
        return QMessageBox::Cancel;
    }
    return QMessageBox::NoButton;
}

// An untitled box carries the program's name, as message boxes always have.
QString titleOr(const QString& title)
{
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}

} // namespace

void WidgetMessages::showMessage(const QString& text, const QString& title, Icon icon)
{
    QMessageBox box(boxIcon(icon), titleOr(title), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

IMessages::Answer WidgetMessages::ask(const QString& text, const QString& title, Icon icon,
                                      Buttons buttons, Answer defaultAnswer)
{
    QMessageBox::StandardButtons offered = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::YesNoCancel)
        offered |= QMessageBox::Cancel;
    QMessageBox box(boxIcon(icon), titleOr(title), text, offered, QApplication::activeWindow());
    if (buttons == Buttons::YesNo && defaultAnswer == Answer::Cancel)
        defaultAnswer = Answer::No;
    box.setDefaultButton(boxButton(defaultAnswer));
    box.setEscapeButton(buttons == Buttons::YesNoCancel ? QMessageBox::Cancel : QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
    }
}

void WidgetMessages::beep()
{
    QApplication::beep();
}

std::optional<QString> WidgetMessages::chooseOpenFile(const FileChoice& choice)
{
    const QString path = QFileDialog::getOpenFileName(QApplication::activeWindow(), choice.title,
                                                      choice.fileName, choice.filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> WidgetMessages::chooseSaveFile(const FileChoice& choice)
{
    const QString path = QFileDialog::getSaveFileName(QApplication::activeWindow(), choice.title,
                                                      choice.fileName, choice.filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

QUrl WidgetMessages::urlOf(const QString& target)
{
    // One letter before the colon is a Windows drive, not a scheme.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(target).hasMatch())
        return QUrl(target, QUrl::TolerantMode);
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

IMessages::LaunchResult WidgetMessages::launch(const QString& target)
{
    const QUrl url = urlOf(target);
    // A missing file or folder is reported as such rather than as whatever the desktop makes of
    // it; anything else the desktop refuses has no handler.
    if (url.isLocalFile()) {
        const QFileInfo file(url.toLocalFile());
        if (!file.absoluteDir().exists())
            return LaunchResult::PathNotFound;
        if (!file.exists())
            return LaunchResult::FileNotFound;
    }
    return QDesktopServices::openUrl(url) ? LaunchResult::Ok : LaunchResult::NoAssociation;
}

bool WidgetMessages::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

void installWidgetMessages()
{
    static WidgetMessages widgetMessages;
    setMessages(&widgetMessages);
}

} // namespace tallix
