// Filters carry table and column names from the database; SQL texts carry users' filter values;
// declared types come from database files. None of them may crash their readers.

#include "common/db/ColumnTypeInfo.h"
#include "common/db/Recordset.h"
#include "common/db/RecordsetFilter.h"
#include "common/db/TsqlConversion.h"
#include "common/db/sqlite/TsqlLike.h"
#include "common/db/sqlite/TsqlRewriter.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    // The rewrite only ever adds to the text or takes out whole statements; it must terminate
    // and give the same answer twice.
    const QString once = tallix::TsqlRewriter::rewrite(text);
    if (tallix::TsqlRewriter::rewrite(text) != once)
        std::abort();

    auto rows = std::make_shared<tallix::RowSet>(QList<tallix::FieldInfo>{
        {QStringLiteral("TABLE_NAME"), 130}, {QStringLiteral("COLUMN_NAME"), 130}});
    rows->appendRow({text, text});
    tallix::Recordset rs(rows);
    try {
        rs.SetFilter(text);
        if (rs.RecordCount() > 1)
            std::abort();
    } catch (const tallix::Error&) {
    }

    // A LIKE pattern from a filter: any text is a pattern; a text without wildcards, brackets
    // or the escape character matches itself.
    const tallix::TsqlLike like(text, QLatin1Char('\\'));
    (void)like.matches(text.left(text.size() / 2));
    const bool plain = !text.contains(QLatin1Char('%')) && !text.contains(QLatin1Char('_')) &&
                       !text.contains(QLatin1Char('[')) && !text.contains(QLatin1Char('\\'));
    if (plain && !like.matches(text))
        std::abort();

    const tallix::ColumnTypeInfo info = tallix::ColumnTypeInfo::of(tallix::SqlType::parse(text));
    (void)info.columnFlags(true, false, false);
    tallix::TsqlConversion::parseDateTime(text);
    try {
        tallix::TsqlConversion::convert(text, QVariant(text), 21);
        tallix::TsqlConversion::convert(QStringLiteral("datetime"), QVariant(text));
        tallix::TsqlConversion::convert(QStringLiteral("uniqueidentifier"), QVariant(text));
        tallix::TsqlConversion::convert(QStringLiteral("decimal(10,2)"), QVariant(text));
    } catch (const tallix::Error&) {
    }
    return 0;
}
