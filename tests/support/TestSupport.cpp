#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <gtest/gtest.h>
#include <memory>

namespace tallix::test {

IMessages::Answer RecordingMessages::ask(const QString& text, const QString& title, Icon icon,
                                         Buttons buttons, Answer defaultAnswer)
{
    asked.push_back({text, title, icon, buttons, defaultAnswer});
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted question: " << qPrintable(text);
        return Answer::Cancel;
    }
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<QString> RecordingMessages::nextFile(bool save, const FileChoice& choice)
{
    filesAsked.push_back({save, choice});
    if (fileAnswers.empty()) {
        ADD_FAILURE() << "unscripted file dialog: " << qPrintable(choice.title);
        return std::nullopt;
    }
    std::optional<QString> a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

QStringList RecordingMessages::shownTexts() const
{
    QStringList texts;
    for (const Shown& s : shown)
        texts << s.text;
    return texts;
}

namespace {

class LiveServerLock : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo& info) override
    {
        if (!isLive(info))
            return;
        m_lock = std::make_unique<QLockFile>(
            QDir::temp().filePath(QStringLiteral("tallix-live-server.lock")));
        m_lock->setStaleLockTime(5 * 60 * 1000); // a holder that died frees it at once
        m_lock->lock();
    }
    void OnTestEnd(const ::testing::TestInfo&) override { m_lock.reset(); }

private:
    static bool isLive(const ::testing::TestInfo& info)
    {
        return QLatin1String(info.test_suite_name()).contains(QLatin1String("Live")) ||
               QLatin1String(info.name()).contains(QLatin1String("Live"));
    }
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace

void serializeLiveServerTests()
{
    if (qEnvironmentVariableIsEmpty("TALLIX_TEST_MSSQL"))
        return;
    ::testing::UnitTest::GetInstance()->listeners().Append(new LiveServerLock);
}

QString testDataPath(const QString& relativePath)
{
    return QStringLiteral(TALLIX_TEST_DATA "/") + relativePath;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray readTestData(const QString& relativePath)
{
    QFile file(testDataPath(relativePath));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "missing test data " << qPrintable(file.fileName());
        return {};
    }
    return file.readAll();
}

QString firstDifference(const QByteArray& expected, const QByteArray& actual)
{
    const qsizetype n = std::min(expected.size(), actual.size());
    qsizetype i = 0;
    while (i < n && expected[i] == actual[i])
        ++i;
    if (i == n && expected.size() == actual.size())
        return QStringLiteral("texts are equal");
    const qsizetype line = expected.left(i).count('\n') + 1;
    const qsizetype lineStart = expected.lastIndexOf('\n', i - 1) + 1;
    auto excerpt = [&](const QByteArray& text) {
        QByteArray piece = text.mid(lineStart, 120);
        piece.replace("\r", "\\r").replace("\n", "\\n\n");
        return QString::fromUtf8(piece);
    };
    return QStringLiteral("first difference at byte %1 (line %2; sizes %3 expected, %4 actual)\n"
                          "expected from that line:\n%5\nactual from that line:\n%6")
        .arg(i)
        .arg(line)
        .arg(expected.size())
        .arg(actual.size())
        .arg(excerpt(expected), excerpt(actual));
}

} // namespace tallix::test
