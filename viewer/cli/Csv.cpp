#include "viewer/cli/Csv.h"

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

QString csvTable(Recordset rows)
{
    QStringList names;
    for (int f = 0; f < rows.FieldCount(); ++f)
        names << rows.FieldName(f);
    QString text = csvRecord(names);
    for (rows.MoveFirst(); !rows.atEnd(); rows.MoveNext()) {
        QStringList values;
        for (int f = 0; f < rows.FieldCount(); ++f) {
            const QVariant v = rows.Field(f);
            values << (Recordset::isNull(v) ? QString() : v.toString());
        }
        text += csvRecord(values);
    }
    return text;
}

} // namespace tallix::cli
