#include "viewer/cli/Csv.h"

#include "common/db/Recordset.h"

namespace tallix::cli {

QString csvField(const QString& value)
{
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"')) &&
        !value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvRecord(const QStringList& fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString& f : fields)
        out << csvField(f);
    return out.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

void CsvWriter::begin(const QList<FieldInfo>& fields)
{
    QStringList names;
    for (const FieldInfo& f : fields)
        names << f.name;
    m_out << csvRecord(names);
}

void CsvWriter::row(const QList<QVariant>& values)
{
    QStringList texts;
    texts.reserve(values.size());
    for (const QVariant& v : values)
        texts << (Recordset::isNull(v) ? QString() : v.toString());
    m_out << csvRecord(texts);
}

} // namespace tallix::cli
