#pragma once

#include "common/base/Error.h"
#include "common/base/Messages.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace tallix::test {

// Contents of a file below tests/data; fails the calling test when it is missing.
QByteArray readTestData(const QString& relativePath);

// Path of a file below tests/data.
QString testDataPath(const QString& relativePath);

// Records every message instead of showing it; installed for its lifetime.
class RecordingMessages : public IMessages {
public:
    struct Shown {
        QString text;
        QString title;
        Icon icon;
    };

    RecordingMessages()
        : m_previous(setMessages(this))
    {}
    ~RecordingMessages() override { setMessages(m_previous); }

    void showMessage(const QString& text, const QString& title, Icon icon) override
    {
        shown.push_back({text, title, icon});
    }

    std::vector<Shown> shown;

private:
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
