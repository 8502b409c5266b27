#include "common/audit/AuditData.h"
#include "common/audit/ColumnTypes.h"
#include "common/audit/KeyValues.h"
#include "common/audit/SqlQuoting.h"
#include "common/base/Error.h"
#include "generator/templates/TemplateParts.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace tallix {

namespace templates {

namespace {

using audit::TypeClass;

// How a conversion is used: for the key-values text, whose length is bounded by its column, or
// for a recorded value, which Unicode text never narrows.
enum class Use { Key, Value };

// The column's value converted to text: the same conversion gives the key-values
// text and the recorded value, so the viewer can read both back alike.
void appendConversion(QString& out, const CColumn& column, Alias alias, AuditText text, Use use)
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
    case TypeClass::UnicodeCharacter:
        if (text == AuditText::Unicode && use == Use::Value) {
            // MAX, so REPLACE cannot cut a long value when its entities make it longer.
            out += QLatin1StringView("CONVERT(NVARCHAR(MAX),");
            columnRef();
            out += QLatin1Char(')');
        } else if (text == AuditText::Unicode ||
                   audit::typeClassOf(column.datatype) == TypeClass::UnicodeCharacter) {
            sized(QLatin1StringView("NVARCHAR"));
        } else {
            sized(QLatin1StringView("VARCHAR"));
        }
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
void appendDataPiece(QString& out, QStringView piece, AuditText text)
{
    SqlQuoting::appendLiteral(out, piece, literalKind(text));
}

} // namespace

QLatin1StringView literalOpening(AuditText text)
{
    return text == AuditText::Unicode ? QLatin1StringView("N'") : QLatin1StringView("'");
}

SqlQuoting::LiteralKind literalKind(AuditText text)
{
    return text == AuditText::Unicode ? SqlQuoting::LiteralKind::Unicode
                                      : SqlQuoting::LiteralKind::Plain;
}

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

void appendKeyExpression(QString& out, const CTable& table, Alias alias, KeyForm form,
                         AuditText text)
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
        out += literalOpening(text);
        SqlQuoting::appendLiteral(out, column.ColumnName, literalKind(text));
        out += QChar(audit::kKeyAssignment);
        out += QLatin1StringView("' + ");
        appendConversion(out, column, alias, text, Use::Key);
    }
    // The last term closes with one blank instead of the separator.
    out += QLatin1StringView(" \r\n");
}

void appendValueExpression(QString& out, const CColumn& column, Alias alias, AuditText text)
{
    const auto endings = [](SqlQuoting::LiteralKind kind) {
        return std::pair{QLatin1Char(',') + SqlQuoting::literal(u"'", kind) + QLatin1Char(',') +
                             SqlQuoting::literal(QString(audit::kApostropheEntity), kind) +
                             QLatin1Char(')'),
                         QLatin1Char(',') + SqlQuoting::literal(QString(audit::kNullValue), kind) +
                             QLatin1Char(')')};
    };
    static const auto narrow = endings(SqlQuoting::LiteralKind::Plain);
    static const auto unicode = endings(SqlQuoting::LiteralKind::Unicode);
    const auto& [escaping, nullText] = text == AuditText::Unicode ? unicode : narrow;
    out += QLatin1StringView("COALESCE(");
    if (audit::escapesApostrophes(audit::typeClassOf(column.datatype))) {
        // Escaped after the conversion, so a cut to the column's length can never
        // split an entity and the entities' extra characters are all kept.
        out += QLatin1StringView("REPLACE(");
        appendConversion(out, column, alias, text, Use::Value);
        out += escaping;
    } else {
        appendConversion(out, column, alias, text, Use::Value);
    }
    out += nullText;
}

void appendDataExpression(QString& out, const CTable& table, DataSides sides, AuditText text)
{
    // The update trigger's terms end in "+", the other two's in "+ ", as they always have.
    const bool both = sides == DataSides::Both;
    const QLatin1StringView termEnd =
        both ? QLatin1StringView(" +\r\n") : QLatin1StringView(" + \r\n");
    const QLatin1StringView indent("           ");
    const QLatin1StringView opening = literalOpening(text);
    out += indent;
    if (text == AuditText::Unicode) {
        // A concatenation is as long as its widest piece: one MAX piece first keeps the whole
        // text from being cut at 4,000 characters.
        out += QLatin1StringView("CAST(N'");
        appendDataPiece(out, audit::dataStart(), text);
        out += QLatin1StringView("' AS NVARCHAR(MAX)) + \r\n");
    } else {
        out += opening;
        appendDataPiece(out, audit::dataStart(), text);
        out += QLatin1StringView("' + \r\n");
    }
    for (const CColumn& column : table.Columns) {
        if (!column.Include)
            continue;
        out += indent;
        out += opening;
        appendDataPiece(out, audit::columnStart(), text);
        SqlQuoting::appendAuditName(out, column.ColumnName, literalKind(text));
        appendDataPiece(out, audit::beforeStart(), text);
        if (sides != DataSides::InsertedOnly) {
            out += QLatin1StringView("' + ");
            appendValueExpression(out, column, Alias::Deleted, text);
            out += QLatin1StringView(" + ");
            out += opening;
        }
        appendDataPiece(out, audit::afterStart(), text);
        if (sides != DataSides::DeletedOnly) {
            out += QLatin1StringView("' + ");
            appendValueExpression(out, column, Alias::Inserted, text);
            out += QLatin1StringView(" + ");
            out += opening;
        }
        appendDataPiece(out, audit::columnEnd(), text);
        out += QLatin1Char('\'');
        out += termEnd;
    }
    out += both ? indent : QLatin1StringView("        ");
    out += opening;
    appendDataPiece(out, audit::dataEnd(), text);
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

QString KeyExpression(const CTable& table, Alias alias, KeyForm form, AuditText text)
{
    templates::requireAuditable(table);
    QString out;
    out.reserve(128 * table.Columns.Count());
    templates::appendKeyExpression(out, table, alias, form, text);
    return out;
}

QString DataExpression(const CTable& table, DataSides sides, AuditText text)
{
    templates::requireAuditable(table);
    QString out;
    out.reserve(256 + 320 * table.Columns.Count());
    templates::appendDataExpression(out, table, sides, text);
    return out;
}

QString ValueExpression(const CColumn& column, Alias alias, AuditText text)
{
    QString out;
    out.reserve(96 + column.ColumnName.size());
    templates::appendValueExpression(out, column, alias, text);
    return out;
}

} // namespace tallix
