#pragma once

#include <QString>
#include <optional>

namespace tallix {

// The seam through which every routine talks to the user: messages, questions,
// file choices and handing a document or address to the desktop. The windows
// install an implementation that shows dialogs; batch mode writes to standard
// error and never waits for an answer; tests install one that records what was
// asked and returns scripted answers. No routine shows a dialog directly.
class IMessages {
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Buttons { YesNo, YesNoCancel };
    enum class Answer { Yes, No, Cancel };

    // What a file dialog is asked for. `fileName` is the preset name (may
    // carry a folder); `filter` is in the "Scripts (*.sql);;All files (*)" form.
    struct FileChoice {
        QString title;
        QString fileName;
        QString filter;
    };

    // How handing a target to the desktop ended.
    enum class LaunchResult {
        Ok,
        OutOfResources,
        NoAssociation,
        FileNotFound,
        PathNotFound,
        BadFormat,
        Failed
    };

    virtual ~IMessages() = default;

    // A modal message with an OK button.
    virtual void showMessage(const QString& text, const QString& title, Icon icon) = 0;

    // A modal question. Closing the box from its frame answers Cancel where
    // Cancel is offered, else No.
    virtual Answer ask(const QString& text, const QString& title, Icon icon, Buttons buttons,
                       Answer defaultAnswer = Answer::Yes) = 0;

    // The short warning sound.
    virtual void beep() = 0;

    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> chooseOpenFile(const FileChoice& choice) = 0;
    virtual std::optional<QString> chooseSaveFile(const FileChoice& choice) = 0;

    // Opens a file, folder or address (http:, mailto:) with the user's default handler.
    virtual LaunchResult launch(const QString& target) = 0;

    // Starts a program detached; false when it could not be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
};

// Batch mode: each message as one line "title: text" on standard error. Questions
// are not asked (the default answer is taken), file choices are cancelled and
// nothing is launched.
class StderrMessages : public IMessages {
public:
    void showMessage(const QString& text, const QString& title, Icon icon) override;
    Answer ask(const QString& text, const QString& title, Icon icon, Buttons buttons,
               Answer defaultAnswer) override;
    void beep() override;
    std::optional<QString> chooseOpenFile(const FileChoice& choice) override;
    std::optional<QString> chooseSaveFile(const FileChoice& choice) override;
    LaunchResult launch(const QString& target) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
};

// The implementation in use. Without an installed one, StderrMessages.
IMessages& messages();

// Installs `sink` (not owned; nullptr restores the default) and returns the
// previous one, so that a scope can put it back.
IMessages* setMessages(IMessages* sink);

// Installs a sink for the lifetime of the guard.
class ScopedMessages {
public:
    explicit ScopedMessages(IMessages& sink)
        : m_previous(setMessages(&sink))
    {}
    ~ScopedMessages() { setMessages(m_previous); }
    ScopedMessages(const ScopedMessages&) = delete;
    ScopedMessages& operator=(const ScopedMessages&) = delete;

private:
    IMessages* m_previous;
};

// Opens `file` (a document, program or address) with the default handler and,
// when that fails for a known reason, tells the user why. True on success.
bool ShellLaunch(const QString& file, const QString& title);

} // namespace tallix
