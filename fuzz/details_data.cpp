// The viewer reads each audit row's Data text and key values from the audited database, where any
// client with write access could have put anything. Reading them into detail rows and restore
// statements must survive any text.

#include "common/audit/AuditData.h"
#include "common/audit/SqlQuoting.h"
#include "common/base/Error.h"
#include "common/db/ColumnTypeInfo.h"
#include "common/xml/Parser.h"
#include "viewer/details/Audit.h"
#include "viewer/details/CurrentValue.h"
#include "viewer/details/DetailText.h"
#include "viewer/details/DetailsHandler.h"
#include "viewer/details/KeyCondition.h"
#include "viewer/query/SchemaCache.h"
#include "viewer/restore/ExecuteRestoreScript.h"
#include "viewer/restore/RestoreStatement.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tallix;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    // A current row with a field of every formatted type, holding the text itself.
    auto rows = std::make_shared<RowSet>(QList<FieldInfo>{{QStringLiteral("Amount"), dbtype::CY},
                                                          {QStringLiteral("Stamp"), 135},
                                                          {QStringLiteral("Guid"), dbtype::GUID},
                                                          {QStringLiteral("Flag"), dbtype::BOOL}});
    rows->appendRow({text, text, text, text});
    const Recordset current(rows);

    Audit audit;
    QList<DetailRow> everyRow;
    for (const bool showAll : {false, true}) {
        Parser parser;
        DetailsHandler handler(parser, showAll, &current);
        try {
            parser.ParseString(text, &handler);
        } catch (const Error&) {
        }
        everyRow = handler.rows();
        for (const DetailRow& row : handler.shownRows()) {
            if (!showAll && !row.changed)
                std::abort(); // an unchanged row is shown only with Show All Fields
            audit.Add(row.field, row.before, row.after);
        }
    }
    (void)AuditXmlText(text);

    // The key values and the names go into statements: a value stays one literal, whatever it
    // holds; a name stays bare or one bracketed name.
    (void)KeyCondition(text);
    QString value = text;
    value.remove(QChar(1));
    if (KeyCondition(QStringLiteral("k=") + value) !=
        QStringLiteral("k=") + SqlQuoting::literal(value))
        std::abort();
    const QString name = SqlQuoting::statementName(text);
    if (name != text && (!name.startsWith(QLatin1Char('[')) || !name.endsWith(QLatin1Char(']'))))
        std::abort();
    // A data text that reads whole strictly gives the details exactly its columns, so what the
    // grid shows and what a restore writes never differ.
    const audit::DataReading reading = audit::readData(text);
    if (reading.complete()) {
        if (reading.columns.size() != everyRow.size())
            std::abort();
        for (qsizetype i = 0; i < everyRow.size(); ++i) {
            const audit::DataColumn& c = reading.columns[i];
            if (c.name != everyRow[i].field || c.before != everyRow[i].before ||
                c.after != everyRow[i].after)
                std::abort();
        }
    }

    const SchemaCache cache;
    for (const char* type : {"I", "U", "D"})
        if (BuildRestoreStatement(QLatin1String(type), text, audit, text, true, cache).ok())
            std::abort(); // an empty cache knows no table
    (void)SplitBatches(text);
    for (int type : {int(dbtype::CY), 135, int(dbtype::GUID), int(dbtype::BOOL), 0})
        (void)CurrentValueText(QVariant(text), type);
    return 0;
}
