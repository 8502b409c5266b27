#include "generator/model/CTables.h"

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
    if (candidate && candidate->TableName == tableName)
        return candidate;
    for (CTable& t : m_items) {
        if (t.TableName == tableName)
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
    auto table = std::make_unique<CTable>();
    table->TableName = TableName;
    return m_items.add(std::move(table), TableName);
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
        out += QLatin1StringView("/>\r\n");
        t.Columns.appendXML(out);
        out += QLatin1StringView("   </TABLE>\r\n");
    }
    out += QLatin1StringView("</TABLES>\r\n");
}

} // namespace tallix
