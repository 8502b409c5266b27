#include "viewer/details/DetailsLoader.h"

#include "common/audit/AuditData.h"
#include "common/base/Error.h"
#include "common/db/Connection.h"
#include "common/xml/Parser.h"
#include "viewer/details/CurrentRowQuery.h"
#include "viewer/details/DetailText.h"
#include "viewer/details/DetailsHandler.h"
#include "viewer/query/SchemaCache.h"

#include <cmath>
#include <exception>

namespace tallix {

namespace {

// Runs one step; a failure is noted and the next step runs.
template <typename Step> void skipOnError(QStringList& errors, Step step)
{
    try {
        step();
    } catch (const Error& e) {
        errors << e.description();
    } catch (const std::exception& e) {
        errors << QString::fromLocal8Bit(e.what());
    }
}

} // namespace

DetailsResult DetailsLoader::load(Connection& connection, const SchemaCache& cache,
                                  const QString& logId, const DetailsOptions& options)
{
    DetailsResult result;
    skipOnError(result.errors, [&] {
        connection.Open();
        result.record =
            AuditRecord::read(connection, logId, cache.auditLayout() == audit::Layout::Unicode);
        if (!result.record)
            throw Error(Error::InvalidArgument,
                        QStringLiteral("No audit row has the LogID %1.").arg(logId));
    });
    if (!result.record)
        return result;
    const AuditRecord& record = *result.record;

    if (options.showCurrent) {
        skipOnError(result.errors, [&] {
            result.current = connection.OpenRecordset(
                CurrentRowQuery(cache, record.SourceTable, record.KeyValues));
        });
    }

    result.xmlText = AuditXmlText(record.Data);

    // The data is read as stored: the XML tab's line breaks would otherwise land inside any
    // value that holds "><".
    Parser parser;
    DetailsHandler handler(parser, options.showAllFields,
                           options.showCurrent ? &result.current : nullptr);
    skipOnError(result.errors, [&] { parser.ParseString(record.Data, &handler); });
    result.rows = handler.shownRows();

    for (const DetailRow& row : result.rows)
        result.audit.Add(row.field, row.before, row.after);
    result.incomplete = audit::readData(record.Data).error;
    return result;
}

std::array<int, 4> DetailsLoader::columnWidths(int gridWidth, bool showCurrent)
{
    constexpr int field = 1500;
    const double rest = gridWidth - field;
    if (showCurrent) {
        const int each = static_cast<int>(std::lround(rest / 3));
        return {field, each, each, each};
    }
    const int each = static_cast<int>(std::lround(rest / 2));
    return {field, each, each, 0};
}

} // namespace tallix
