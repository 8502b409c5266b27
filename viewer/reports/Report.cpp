#include "viewer/reports/Report.h"

namespace tallix::reports {

namespace {

// A time format without its time-zone part: every unquoted 't' goes, with the blank before it.
QString withoutZone(const QString& format)
{
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out.append(c);
    }
    return out.trimmed();
}

} // namespace

Report::Report(ReportLayout layout)
    : m_layout(std::move(layout))
{}

Report::~Report() = default;

void Report::ActiveReport_PageStart()
{
    setLabel(QStringLiteral("lblPage"), QStringLiteral("Page ") + QString::number(m_pageNumber));
}

void Report::ActiveReport_ReportEnd() {}

void Report::setSource(const QString& server, const QString& database)
{
    m_server = server;
    m_database = database;
}

int Report::fieldIndex(const QString& name) const
{
    return m_fieldIndex.value(name.toCaseFolded(), -1);
}

QVariant Report::field(const QString& name) const
{
    const int index = fieldIndex(name);
    return index < 0 ? QVariant() : m_fieldValues[index];
}

void Report::declareField(const QString& name)
{
    if (fieldIndex(name) >= 0)
        return;
    m_fieldIndex.insert(name.toCaseFolded(), static_cast<int>(m_fieldNames.size()));
    m_fieldNames.append(name);
    m_fieldValues.append(QVariant());
}

void Report::setLabel(const QString& control, const QString& caption)
{
    m_labels.insert(control, caption);
}

QString Report::label(const Control& control) const
{
    const auto found = m_labels.constFind(control.name);
    return found == m_labels.constEnd() ? control.source : found.value();
}

QString Report::label(const QString& name) const
{
    const auto found = m_labels.constFind(name);
    if (found != m_labels.constEnd())
        return found.value();
    for (const SectionDesign& section : m_layout.sections) {
        for (const Control& c : section.controls) {
            if (c.name == name && c.kind == Control::Kind::Label)
                return c.source;
        }
    }
    return {};
}

QString Report::generalDate(const QDateTime& when, const QLocale& locale)
{
    QString text = locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() != QTime(0, 0))
        text += QLatin1Char(' ') +
                locale.toString(when.time(), withoutZone(locale.timeFormat(QLocale::LongFormat)));
    return text;
}

void Report::fillHeaderLabels()
{
    const QDateTime now = m_clock ? m_clock() : QDateTime::currentDateTime();
    setLabel(QStringLiteral("lblServer"), QStringLiteral("Server - ") + m_server);
    setLabel(QStringLiteral("lblDatabase"), QStringLiteral("Database - ") + m_database);
    setLabel(QStringLiteral("lblPrintedOn"),
             QStringLiteral("Printed - ") + generalDate(now, m_locale));
}

} // namespace tallix::reports
