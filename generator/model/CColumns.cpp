#include "generator/model/CColumns.h"

#include "generator/model/XmlText.h"

namespace tallix {

CColumn& CColumns::Add(const QString& ColumnName, const QString& datatype, std::int32_t Size,
                       std::int16_t NumericPrecision, std::int16_t NumericScale, bool Nulls,
                       bool InPrimaryKey, bool Identity, bool Include, const QString& sKey)
{
    auto column =
        std::make_unique<CColumn>(CColumn{ColumnName, datatype, Size, NumericPrecision,
                                          NumericScale, Nulls, InPrimaryKey, Identity, Include});
    return m_items.add(std::move(column), sKey);
}

QString CColumns::ObjectToXML() const
{
    QString out;
    appendXML(out);
    return out;
}

void CColumns::appendXML(QString& out) const
{
    out += QLatin1StringView("      <COLUMNS>\r\n");
    for (const CColumn& c : m_items) {
        out += QLatin1StringView("         <COLUMN ");
        appendAttribute(out, QLatin1StringView("ColumnName"), c.ColumnName);
        appendAttribute(out, QLatin1StringView("DataType"), c.datatype);
        appendAttribute(out, QLatin1StringView("Size"), static_cast<long long>(c.Size));
        appendAttribute(out, QLatin1StringView("NumericPrecision"),
                        static_cast<long long>(c.NumericPrecision));
        appendAttribute(out, QLatin1StringView("NumericScale"),
                        static_cast<long long>(c.NumericScale));
        appendAttribute(out, QLatin1StringView("Nulls"), c.Nulls);
        appendAttribute(out, QLatin1StringView("InPrimaryKey"), c.InPrimaryKey);
        appendAttribute(out, QLatin1StringView("Identity"), c.Identity);
        appendAttribute(out, QLatin1StringView("Include"), c.Include);
        out += QLatin1StringView("/>\r\n");
    }
    out += QLatin1StringView("      </COLUMNS>\r\n");
}

} // namespace tallix
