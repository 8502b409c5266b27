#include "viewer/reports/TransactionList.h"

#include "common/audit/KeyValues.h"
#include "common/db/DbErrors.h"

namespace tallix::reports {

namespace {

constexpr const char* kFields[] = {"LogID",    "TransactionType", "TransactionDate", "SourceTable",
                                   "Username", "Workstation",     "Application",     "KeyValues"};
constexpr int kKeyValues = 7;

} // namespace

TransactionList::TransactionList()
    : Report(design())
{}

QString TransactionList::caption() const
{
    return QStringLiteral("Transaction List");
}

ReportLayout TransactionList::design()
{
    using namespace design;
    const QList<Column> columns = {
        {"Trx", "TransactionType", 0, 450, AlignCenter},
        {"Trx Date", "TransactionDate", 450, 2350, AlignLeft},
        {"Table", "SourceTable", 2800, 1250, AlignLeft},
        {"Username", "Username", 4050, 1450, AlignLeft},
        {"Workstation", "Workstation", 5500, 1300, AlignLeft},
        {"Application", "Application", 6800, 1700, AlignLeft},
        {"Key", "KeyValues", 8500, 2300, AlignLeft},
    };
    ReportLayout layout = standardLayout(QStringLiteral("Transaction List"), 5500, columns);
    SectionDesign& detail = layout.section(SectionKind::Detail);
    detail.height = 260;
    for (const Column& c : columns)
        detail.controls.append(
            design::field(c.field, QRect(c.x, 30, c.width, 200), TextFont, c.flags, true));
    detail.controls.append(design::rule(QRect(0, 5, layout.designWidth, 0), 5, true));
    return layout;
}

void TransactionList::SetParams(const QString& query, const QString& connectionString)
{
    m_query = query;
    m_connectionString = connectionString;
    setLabel(QStringLiteral("lblSQL"), query);
}

void TransactionList::ActiveReport_Initialize()
{
    for (const char* name : kFields)
        declareField(QString::fromLatin1(name));
    fillHeaderLabels();
}

void TransactionList::ActiveReport_FetchData(bool& eof)
{
    eof = false;
    try {
        if (!m_started) {
            m_started = true;
            // Before any query there is nothing to list.
            m_done = m_query.trimmed().isEmpty();
            if (!m_done) {
                m_rows.open(m_connectionString, m_query);
                for (const char* name : kFields)
                    m_columns << m_rows.row().FieldIndex(QString::fromLatin1(name));
            }
        }
        if (m_done || !m_rows.next()) {
            m_done = true;
            eof = true;
            return;
        }
        // Each field by its own name; the key's " | " separators become line breaks, so each
        // key column stands on its own line.
        for (int i = 0; i < m_columns.size(); ++i) {
            if (m_columns[i] < 0)
                throw dberror::itemNotFound(QString::fromLatin1(kFields[i]));
            QVariant value = m_rows.row().value(m_columns[i]);
            if (i == kKeyValues && value.typeId() == QMetaType::QString)
                value = audit::splitShownKeyValues(value.toString()).join(QLatin1String("\r\n"));
            setField(i, std::move(value));
        }
    } catch (const Error& e) {
        setFetchError(e);
        m_rows.close();
        m_done = true;
        eof = true;
    }
}

void TransactionList::ActiveReport_ReportEnd()
{
    m_rows.close();
}

} // namespace tallix::reports
