#include "common/audit/SqlQuoting.h"
#include "common/base/Error.h"
#include "generator/templates/TemplateParts.h"

#include <algorithm>
#include <exception>

namespace tallix {

namespace templates {

namespace {

// The column's value converted to text: the same conversion gives the key-values
// text and the recorded value, so the viewer can read both back alike.
void appendConversion(QString& out, const CColumn& column, Alias alias)
{
    const auto columnRef = [&] {
        out += aliasLetter(alias);
        out += QLatin1StringView(".[");
        SqlQuoting::appendBracketed(out, column.ColumnName);
        out += QLatin1Char(']');
    };
    const auto sized = [&](QLatin1StringView type) {
        out += QLatin1StringView("CONVERT(");
        out += type;
        out += QLatin1Char('(');
        out += QString::number(column.Size);
        out += QLatin1StringView("),");
        columnRef();
        out += QLatin1Char(')');
    };

    switch (typeClassOf(column.datatype)) {
    case TypeClass::Guid:
        out += QLatin1StringView("CONVERT(VARCHAR(36),");
        columnRef();
        out += QLatin1Char(')');
        break;
    case TypeClass::Character:
        sized(QLatin1StringView("VARCHAR"));
        break;
    case TypeClass::UnicodeCharacter:
        sized(QLatin1StringView("NVARCHAR"));
        break;
    case TypeClass::DateTime:
        // Style 21 keeps the milliseconds.
        out += QLatin1StringView("CONVERT(VARCHAR(32),");
        columnRef();
        out += QLatin1StringView(",21)");
        break;
    case TypeClass::RowVersion:
        out += QLatin1StringView("CONVERT(VARCHAR(32),CONVERT(INT,");
        columnRef();
        out += QLatin1StringView("))");
        break;
    case TypeClass::Money:
        // Keeps all four decimal places of money.
        out += QLatin1StringView("CONVERT(VARCHAR(32),CONVERT(DECIMAL(19,4),");
        columnRef();
        out += QLatin1StringView("))");
        break;
    case TypeClass::Float:
        // Style 2 keeps all 16 significant digits.
        out += QLatin1StringView("CONVERT(VARCHAR(32),");
        columnRef();
        out += QLatin1StringView(",2)");
        break;
    case TypeClass::Decimal:
        // Room for 38 digits, a sign and a decimal point.
        out += QLatin1StringView("CONVERT(VARCHAR(40),");
        columnRef();
        out += QLatin1Char(')');
        break;
    case TypeClass::Default:
        out += QLatin1StringView("CONVERT(VARCHAR,");
        columnRef();
        out += QLatin1Char(')');
        break;
    }
}

bool escapesApostrophes(const CColumn& column)
{
    switch (typeClassOf(column.datatype)) {
    case TypeClass::Guid:
    case TypeClass::Character:
    case TypeClass::UnicodeCharacter:
        return true;
    default:
        return false;
    }
}

} // namespace

QLatin1StringView aliasLetter(Alias alias)
{
    return alias == Alias::Inserted ? QLatin1StringView("i") : QLatin1StringView("d");
}

void requireAuditable(const CTable& table)
{
    if (!table.HasPrimaryKey())
        throw Error(Error::InvalidArgument,
                    QStringLiteral("Table %1 does not have any primary key!").arg(table.TableName));
    if (HasControlInNames(table))
        throw Error(Error::InvalidArgument,
                    QStringLiteral("Table %1 has a line break or other control character in its "
                                   "name or a column name!")
                        .arg(table.TableName));
}

void appendKeyExpression(QString& out, const CTable& table, Alias alias, KeyForm form)
{
    const QLatin1StringView indent =
        form == KeyForm::SelectList ? QLatin1StringView("        ") : QLatin1StringView("   ");
    bool first = true;
    for (const CColumn& column : table.Columns) {
        if (!column.InPrimaryKey)
            continue;
        if (!first)
            out += QLatin1StringView(" + CHAR(1) +\r\n");
        first = false;
        out += indent;
        out += QLatin1Char('\'');
        SqlQuoting::appendLiteral(out, column.ColumnName);
        out += QLatin1StringView("=' + ");
        appendConversion(out, column, alias);
    }
    // The last term closes with one blank instead of the separator.
    out += QLatin1StringView(" \r\n");
}

void appendValueExpression(QString& out, const CColumn& column, Alias alias)
{
    out += QLatin1StringView("COALESCE(");
    if (escapesApostrophes(column)) {
        // Escaped after the conversion, so a cut to the column's length can never
        // split an entity and the entities' extra characters are all kept.
        out += QLatin1StringView("REPLACE(");
        appendConversion(out, column, alias);
        out += QLatin1StringView(",'''','&apos;')");
    } else {
        appendConversion(out, column, alias);
    }
    out += QLatin1StringView(",'NULL')");
}

QString guardedBuild(QLatin1StringView routine, qsizetype reserve, QString* failure,
                     const std::function<void(QString&)>& build)
{
    QString description;
    try {
        QString out;
        out.reserve(reserve);
        build(out);
        return out;
    } catch (const Error& e) {
        description = e.description();
    } catch (const std::exception& e) {
        description = QString::fromLocal8Bit(e.what());
    }
    if (failure)
        *failure = QStringLiteral("Error (") + routine + QStringLiteral(") - ") + description;
    return {};
}

} // namespace templates

bool HasControlInNames(const CTable& table)
{
    if (SqlQuoting::hasControl(table.TableName))
        return true;
    return std::any_of(table.Columns.begin(), table.Columns.end(), [](const CColumn& c) {
        return (c.InPrimaryKey || c.Include) && SqlQuoting::hasControl(c.ColumnName);
    });
}

QString KeyExpression(const CTable& table, Alias alias, KeyForm form)
{
    templates::requireAuditable(table);
    QString out;
    out.reserve(128 * table.Columns.Count());
    templates::appendKeyExpression(out, table, alias, form);
    return out;
}

QString ValueExpression(const CColumn& column, Alias alias)
{
    QString out;
    out.reserve(96 + column.ColumnName.size());
    templates::appendValueExpression(out, column, alias);
    return out;
}

} // namespace tallix
