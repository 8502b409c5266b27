#include "viewer/reports/Aggregate.h"

#include "common/db/DbErrors.h"

namespace tallix::reports {

namespace {

constexpr const char* kFields[] = {"TableName",   "FirstUpdate",  "LastUpdate", "Inserts",
                                   "Updates",     "Deletes",      "Total",      "TotalInserts",
                                   "TotalUpdate", "TotalDeletes", "TotalTotal"};
// The query's columns go to the first seven fields by position.
constexpr int kColumns = 7;
constexpr int kInserts = 3;
constexpr int kTotalInserts = 7;

} // namespace

Aggregate::Aggregate()
    : Report(design())
{}

QString Aggregate::caption() const
{
    return QStringLiteral("Aggregate");
}

QString Aggregate::queryText()
{
    return QStringLiteral(
        "SELECT  SourceTable, convert(varchar(32),min(TransactionDate),21), "
        "convert(varchar(32),max(TransactionDate),21), count(case TransactionType WHEN 'I' THEN "
        "1 END) AS Inserts, count(case TransactionType WHEN 'U' THEN 1 END) AS Updates, "
        "count(case TransactionType WHEN 'D' THEN 1 END) AS Deletes, count(*) as Total From "
        "Tallix GROUP BY SourceTable ORDER BY SourceTable ");
}

ReportLayout Aggregate::design()
{
    using namespace design;
    const QList<Column> columns = {
        {"Table Name", "TableName", 0, 2700, AlignLeft},
        {"First Update", "FirstUpdate", 2700, 2250, AlignLeft},
        {"Last Update", "LastUpdate", 4950, 2250, AlignLeft},
        {"Inserts", "Inserts", 7200, 900, AlignRight},
        {"Updates", "Updates", 8100, 900, AlignRight},
        {"Deletes", "Deletes", 9000, 900, AlignRight},
        {"Total", "Total", 9900, 900, AlignRight},
    };
    ReportLayout layout = standardLayout(QStringLiteral("Aggregate"), 4950, columns);
    const int width = layout.designWidth;
    SectionDesign& detail = layout.section(SectionKind::Detail);
    detail.height = 260;
    for (const Column& c : columns)
        detail.controls.append(
            design::field(c.field, QRect(c.x, 30, c.width, 200), TextFont, c.flags));

    // The sums over every detail row and the number of tables, between rules.
    SectionDesign& footer = layout.section(SectionKind::GroupFooter);
    footer.height = 520;
    using S = Control::Summary;
    footer.controls = {
        design::rule(QRect(0, 40, width, 0), 15),
        design::label("lblDistinctTables", QStringLiteral("Distinct Tables:"),
                      QRect(0, 100, 2700, 240), BoldFont),
        design::summary("TotalTables", "TableName", S::Count, QRect(2700, 100, 2250, 240), BoldFont,
                        AlignLeft),
        design::summary("TotalInserts", "Inserts", S::Sum, QRect(7200, 100, 900, 240), BoldFont,
                        AlignRight),
        design::summary("TotalUpdates", "Updates", S::Sum, QRect(8100, 100, 900, 240), BoldFont,
                        AlignRight),
        design::summary("TotalDeletes", "Deletes", S::Sum, QRect(9000, 100, 900, 240), BoldFont,
                        AlignRight),
        design::summary("GrandTotal", "Total", S::Sum, QRect(9900, 100, 900, 240), BoldFont,
                        AlignRight),
        design::rule(QRect(0, 400, width, 0), 10),
        design::rule(QRect(0, 440, width, 0), 10),
    };
    return layout;
}

void Aggregate::SetParams(const QString&, const QString& connectionString)
{
    m_connectionString = connectionString;
    setLabel(QStringLiteral("lblSQL"), queryText());
}

void Aggregate::ActiveReport_Initialize()
{
    for (const char* name : kFields)
        declareField(QString::fromLatin1(name));
    fillHeaderLabels();
}

void Aggregate::ActiveReport_FetchData(bool& eof)
{
    eof = false;
    try {
        if (!m_started) {
            m_started = true;
            m_rows.open(m_connectionString, queryText());
            if (m_rows.row().FieldCount() < kColumns)
                throw dberror::itemNotFound(QString::number(m_rows.row().FieldCount()));
        }
        if (m_done || !m_rows.next()) {
            m_done = true;
            eof = true;
            return;
        }
        for (int i = 0; i < kColumns; ++i)
            setField(i, m_rows.row().value(i));
        // A running total of the inserts, both taken as whole numbers.
        setField(kTotalInserts, field(kTotalInserts).toLongLong() + field(kInserts).toLongLong());
    } catch (const Error& e) {
        setFetchError(e);
        m_rows.close();
        m_done = true;
        eof = true;
    }
}

void Aggregate::ActiveReport_ReportEnd()
{
    m_rows.close();
}

} // namespace tallix::reports
