#include "tests/support/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

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

QString testDataPath(const QString& relativePath)
{
    return QStringLiteral(TALLIX_TEST_DATA "/") + relativePath;
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
