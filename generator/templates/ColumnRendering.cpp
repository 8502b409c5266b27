#include "common/audit/AuditData.h"
#include "common/audit/ColumnTypes.h"
#include "common/audit/KeyValues.h"
#include "common/audit/SqlQuoting.h"
#include "common/base/Error.h"
#include "generator/templates/TemplateParts.h"

#include <algorithm>
#include <exception>

namespace tallix {

namespace templates {

namespace {

using audit::TypeClass;

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

    switch (audit::typeClassOf(column.datatype)) {
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

// A fixed text of the audit data inside a literal that the caller has opened.
void appendDataPiece(QString& out, QStringView piece)
{
    SqlQuoting::appendLiteral(out, piece);
}

} // namespace

QLatin1StringView aliasLetter(Alias alias)
{
    return alias == Alias::Inserted ? QLatin1StringView("i") : QLatin1StringView("d");
}

void requireAuditable(const CTable& table)
{
    if (!table.HasPrimaryKey())
        throw Error(
            Error::InvalidArgument,
            QStringLiteral("Table %1 does not have any primary key!").arg(table.QualifiedName()));
    if (HasControlInNames(table))
        throw Error(Error::InvalidArgument,
                    QStringLiteral("Table %1 has a line break or other control character in its "
                                   "name or a column name!")
                        .arg(table.QualifiedName()));
}

void appendKeyExpression(QString& out, const CTable& table, Alias alias, KeyForm form)
{
    const QLatin1StringView indent =
        form == KeyForm::SelectList ? QLatin1StringView("        ") : QLatin1StringView("   ");
    bool first = true;
    for (const CColumn& column : table.Columns) {
        if (!column.InPrimaryKey)
            continue;
        if (!first) {
            out += QLatin1StringView(" + ");
            out += audit::keySeparatorExpression();
            out += QLatin1StringView(" +\r\n");
        }
        first = false;
        out += indent;
        out += QLatin1Char('\'');
        SqlQuoting::appendLiteral(out, column.ColumnName);
        out += QChar(audit::kKeyAssignment);
        out += QLatin1StringView("' + ");
        appendConversion(out, column, alias);
    }
    // The last term closes with one blank instead of the separator.
    out += QLatin1StringView(" \r\n");
}

void appendValueExpression(QString& out, const CColumn& column, Alias alias)
{
    static const QString escaping =
        QLatin1Char(',') + SqlQuoting::literal(u"'") + QLatin1Char(',') +
        SqlQuoting::literal(QString(audit::kApostropheEntity)) + QLatin1Char(')');
    static const QString nullText =
        QLatin1Char(',') + SqlQuoting::literal(QString(audit::kNullValue)) + QLatin1Char(')');
    out += QLatin1StringView("COALESCE(");
    if (audit::escapesApostrophes(audit::typeClassOf(column.datatype))) {
        // Escaped after the conversion, so a cut to the column's length can never
        // split an entity and the entities' extra characters are all kept.
        out += QLatin1StringView("REPLACE(");
        appendConversion(out, column, alias);
        out += escaping;
    } else {
        appendConversion(out, column, alias);
    }
    out += nullText;
}

void appendDataExpression(QString& out, const CTable& table, DataSides sides)
{
    // The update trigger's terms end in "+", the other two's in "+ ", as they always have.
    const bool both = sides == DataSides::Both;
    const QLatin1StringView termEnd =
        both ? QLatin1StringView(" +\r\n") : QLatin1StringView(" + \r\n");
    const QLatin1StringView indent("           ");
    out += indent;
    out += QLatin1Char('\'');
    appendDataPiece(out, audit::dataStart());
    out += QLatin1StringView("' + \r\n");
    for (const CColumn& column : table.Columns) {
        if (!column.Include)
            continue;
        out += indent;
        out += QLatin1Char('\'');
        appendDataPiece(out, audit::columnStart());
        SqlQuoting::appendAuditName(out, column.ColumnName);
        appendDataPiece(out, audit::beforeStart());
        if (sides != DataSides::InsertedOnly) {
            out += QLatin1StringView("' + ");
            appendValueExpression(out, column, Alias::Deleted);
            out += QLatin1StringView(" + '");
        }
        appendDataPiece(out, audit::afterStart());
        if (sides != DataSides::DeletedOnly) {
            out += QLatin1StringView("' + ");
            appendValueExpression(out, column, Alias::Inserted);
            out += QLatin1StringView(" + '");
        }
        appendDataPiece(out, audit::columnEnd());
        out += QLatin1Char('\'');
        out += termEnd;
    }
    out += both ? indent : QLatin1StringView("        ");
    out += QLatin1Char('\'');
    appendDataPiece(out, audit::dataEnd());
    out += QLatin1StringView("'\r\n");
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
    if (SqlQuoting::hasControl(table.TableName) || SqlQuoting::hasControl(table.Schema))
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

QString DataExpression(const CTable& table, DataSides sides)
{
    templates::requireAuditable(table);
    QString out;
    out.reserve(256 + 320 * table.Columns.Count());
    templates::appendDataExpression(out, table, sides);
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
