#include "generator/model/CTables.h"

#include "common/audit/TableNames.h"
#include "generator/model/XmlText.h"

namespace tallix {

bool CTables::DoesKeyExist(const QString& tableName) const
{
    return GetTable(tableName) != nullptr;
}

CTable* CTables::GetTable(const QString& tableName) const
{
    // The key index finds the usual case at once; a TableName changed after Add
    // is still found by the walk in order.
    CTable* candidate = m_items.find(tableName);
    if (candidate && candidate->Schema.isEmpty() && candidate->TableName == tableName)
        return candidate;
    for (CTable& t : m_items) {
        if (t.QualifiedName() == tableName)
            return &t;
    }
    return nullptr;
}

bool CTables::DoIGenerateScript(const QString& tableName) const
{
    const CTable* table = GetTable(tableName);
    return table && (table->Insert || table->Update || table->Delete) && !table->LargeKey;
}

CTable& CTables::Add(const QString& TableName)
{
    return Add(QString(), TableName);
}

CTable& CTables::Add(const QString& schema, const QString& TableName)
{
    auto table = std::make_unique<CTable>();
    table->TableName = TableName;
    if (!audit::isDefaultSchema(schema))
        table->Schema = schema;
    const QString key = keyOf(table->Schema, TableName);
    return m_items.add(std::move(table), key);
}

QString CTables::keyOf(const QString& schema, const QString& tableName)
{
    if (audit::isDefaultSchema(schema))
        return tableName;
    return schema + QChar(u'\0') + tableName;
}

QString CTables::Save()
{
    QString text = ObjectToXML();
    IsDirty = false;
    return text;
}

void CTables::Load(const QString& strXML)
{
    IsDirty = false;
    XMLToObject(strXML);
}

QString CTables::ObjectToXML() const
{
    QString out;
    appendXML(out);
    return out;
}

void CTables::appendXML(QString& out) const
{
    out += QLatin1StringView("<TABLES>\r\n");
    for (const CTable& t : m_items) {
        out += QLatin1StringView("   <TABLE ");
        appendAttribute(out, QLatin1StringView("TableName"), t.TableName);
        appendAttribute(out, QLatin1StringView("Insert"), t.Insert);
        appendAttribute(out, QLatin1StringView("Update"), t.Update);
        appendAttribute(out, QLatin1StringView("Delete"), t.Delete);
        appendAttribute(out, QLatin1StringView("LargeKey"), t.LargeKey);
        // Only outside the default schema, so that older files stay byte for byte.
        if (!t.Schema.isEmpty())
            appendAttribute(out, QLatin1StringView("Schema"), t.Schema);
        out += QLatin1StringView("/>\r\n");
        t.Columns.appendXML(out);
        out += QLatin1StringView("   </TABLE>\r\n");
    }
    out += QLatin1StringView("</TABLES>\r\n");
}

} // namespace tallix
