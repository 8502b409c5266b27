#pragma once

#include "common/base/Error.h"
#include "common/base/Messages.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

namespace tallix::test {

// A UTF-8 literal as a QString, short for tests full of literal texts.
inline QString s(const char* text)
{
    return QString::fromUtf8(text);
}

// Contents of a file below tests/data; fails the calling test when it is missing.
QByteArray readTestData(const QString& relativePath);

// The bytes of any file; empty when it is missing or unreadable (so a test can say "nothing was
// written" by comparing with an empty array).
QByteArray fileBytes(const QString& path);

// Path of a file below tests/data.
QString testDataPath(const QString& relativePath);

// Records everything shown or asked instead of showing it, and answers from a
// script; installed for its lifetime. A question or file choice that the test
// did not script fails the test and answers Cancel (or no file), so nothing ever
// waits for a user.
class RecordingMessages : public IMessages {
public:
    struct Shown {
        QString text;
        QString title;
        Icon icon;
    };
    struct Asked {
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
        Answer defaultAnswer;
    };
    struct FileAsked {
        bool save;
        FileChoice choice;
    };

    RecordingMessages()
        : m_previous(setMessages(this))
    {}
    ~RecordingMessages() override { setMessages(m_previous); }

    // Scripting: answers are used once each, first in first out. A file answer
    // of std::nullopt is a cancelled dialog.
    void answer(Answer a) { answers.push_back(a); }
    void chooseFile(std::optional<QString> path) { fileAnswers.push_back(std::move(path)); }

    void showMessage(const QString& text, const QString& title, Icon icon) override
    {
        shown.push_back({text, title, icon});
    }
    Answer ask(const QString& text, const QString& title, Icon icon, Buttons buttons,
               Answer defaultAnswer) override;
    void beep() override { ++beeps; }
    std::optional<QString> chooseOpenFile(const FileChoice& choice) override
    {
        return nextFile(false, choice);
    }
    std::optional<QString> chooseSaveFile(const FileChoice& choice) override
    {
        return nextFile(true, choice);
    }
    LaunchResult launch(const QString& target) override
    {
        launched.push_back(target);
        return launchResult;
    }
    bool startProgram(const QString& program, const QStringList& arguments) override
    {
        started.push_back(program + (arguments.isEmpty()
                                         ? QString()
                                         : QLatin1Char(' ') + arguments.join(QLatin1Char(' '))));
        return startResult;
    }

    // The texts of everything shown, in order.
    QStringList shownTexts() const;

    std::vector<Shown> shown;
    std::vector<Asked> asked;
    std::vector<FileAsked> filesAsked;
    QStringList launched;
    QStringList started;
    int beeps = 0;
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> fileAnswers;
    LaunchResult launchResult = LaunchResult::Ok;
    bool startResult = true;

private:
    std::optional<QString> nextFile(bool save, const FileChoice& choice);

    IMessages* m_previous;
};

// The number of the tallix::Error that `call` throws, or 0 when it throws none.
long errorNumber(auto&& call)
{
    try {
        call();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

// Makes tests against the live server (those whose suite or name holds "Live") run one at a
// time across all test programs: the server may refuse catalogue changes made side by side
// ("tuple concurrently updated"). Called by the test mains; does nothing without a live server.
void serializeLiveServerTests();

// Shows where two texts first differ, with the line, for readable golden failures.
QString firstDifference(const QByteArray& expected, const QByteArray& actual);

} // namespace tallix::test

// Byte-for-byte comparison of a produced text against a golden file.
#define EXPECT_MATCHES_GOLDEN(actualBytes, goldenPath)                                             \
    do {                                                                                           \
        const QByteArray tallixExpected_ = ::tallix::test::readTestData(goldenPath);               \
        const QByteArray tallixActual_ = (actualBytes);                                            \
        EXPECT_TRUE(tallixExpected_ == tallixActual_)                                              \
            << qPrintable(::tallix::test::firstDifference(tallixExpected_, tallixActual_));        \
    } while (false)
