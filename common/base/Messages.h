#pragma once

#include <QString>

namespace tallix {

// The seam through which every routine shows a message. The windows install an
// implementation that shows a message box; batch mode writes to standard error;
// tests install one that records what was shown. No routine shows a message box
// directly.
class IMessages {
public:
    enum class Icon { None, Information, Warning, Critical, Question };

    virtual ~IMessages() = default;

    // A modal message with an OK button.
    virtual void showMessage(const QString& text, const QString& title, Icon icon) = 0;
};

// Writes each message as one line "title: text" to standard error.
class StderrMessages : public IMessages {
public:
    void showMessage(const QString& text, const QString& title, Icon icon) override;
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

} // namespace tallix
