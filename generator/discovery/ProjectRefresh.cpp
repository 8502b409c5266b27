#include "generator/discovery/ProjectRefresh.h"

#include "common/audit/ColumnTypes.h"
#include "common/audit/SqlQuoting.h"
#include "generator/model/CTables.h"

#include <QHash>

namespace tallix {

namespace {

QString tableKey(const CTable& table)
{
    return CTables::keyOf(table.Schema, table.TableName).toCaseFolded();
}

QHash<QString, const CTable*> indexOf(const CTables& tables)
{
    QHash<QString, const CTable*> index;
    for (const CTable& t : tables)
        index.insert(tableKey(t), &t);
    return index;
}

const CColumn* columnOf(const CTable& table, const QString& name)
{
    for (const CColumn& c : table.Columns) {
        if (c.ColumnName.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

// The type as a user writes it: with its length or precision where the type has one.
QString typeText(const CColumn& c)
{
    static const QStringList sized{u"char"_qs,     u"varchar"_qs, u"nchar"_qs,
                                   u"nvarchar"_qs, u"binary"_qs,  u"varbinary"_qs};
    if (sized.contains(c.datatype))
        return QStringLiteral("%1(%2)").arg(c.datatype).arg(c.Size);
    if (c.datatype == QLatin1String("decimal") || c.datatype == QLatin1String("numeric"))
        return QStringLiteral("%1(%2,%3)")
            .arg(c.datatype)
            .arg(c.NumericPrecision)
            .arg(c.NumericScale);
    return c.datatype;
}

QString shown(const CTable& table)
{
    return SqlQuoting::shownName(table.QualifiedName());
}

QString shown(const CTable& table, const CColumn& column)
{
    return shown(table) + QLatin1Char('.') + SqlQuoting::shownName(column.ColumnName);
}

void columnChanges(QStringList& out, const CTable& old, const CTable& fresh)
{
    for (const CColumn& c : fresh.Columns) {
        const CColumn* before = columnOf(old, c.ColumnName);
        if (!before) {
            out << QStringLiteral("column added: %1 %2").arg(shown(fresh, c), typeText(c));
            continue;
        }
        if (typeText(*before) != typeText(c))
            out << QStringLiteral("column type changed: %1 %2 -> %3")
                       .arg(shown(fresh, c), typeText(*before), typeText(c));
        if (before->InPrimaryKey != c.InPrimaryKey)
            out << QStringLiteral("column key changed: %1 %2")
                       .arg(shown(fresh, c), c.InPrimaryKey
                                                 ? QStringLiteral("now in the primary key")
                                                 : QStringLiteral("no longer in the primary key"));
    }
    for (const CColumn& c : old.Columns) {
        if (!columnOf(fresh, c.ColumnName))
            out << QStringLiteral("column removed: %1").arg(shown(fresh, c));
    }
}

} // namespace

QStringList TableChanges(const CTables& tables, const CTables& database)
{
    QStringList out;
    const QHash<QString, const CTable*> old = indexOf(tables);
    const QHash<QString, const CTable*> fresh = indexOf(database);
    for (const CTable& t : database) {
        if (const CTable* before = old.value(tableKey(t)))
            columnChanges(out, *before, t);
        else
            out << QStringLiteral("table added: %1").arg(shown(t));
    }
    for (const CTable& t : tables) {
        if (!fresh.contains(tableKey(t)))
            out << QStringLiteral("table removed: %1").arg(shown(t));
    }
    return out;
}

QStringList RefreshTables(CTables& tables, const CTables& database)
{
    const QStringList changes = TableChanges(tables, database);
    const QHash<QString, const CTable*> old = indexOf(tables);
    CTables merged;
    for (const CTable& f : database) {
        CTable& t = merged.Add(f.Schema, f.TableName);
        t.LargeKey = f.LargeKey;
        const CTable* before = old.value(tableKey(f));
        if (before) {
            t.Insert = before->Insert;
            t.Update = before->Update;
            t.Delete = before->Delete;
        }
        for (const CColumn& c : f.Columns) {
            const CColumn* kept = before ? columnOf(*before, c.ColumnName) : nullptr;
            const bool include =
                kept ? kept->Include && !audit::isLargeObjectType(c.datatype) : c.Include;
            t.Columns.Add(c.ColumnName, c.datatype, c.Size, c.NumericPrecision, c.NumericScale,
                          c.Nulls, c.InPrimaryKey, c.Identity, include);
        }
    }
    const bool changed = !changes.isEmpty() || tables.IsDirty;
    tables = std::move(merged);
    tables.IsDirty = changed;
    return changes;
}

} // namespace tallix
