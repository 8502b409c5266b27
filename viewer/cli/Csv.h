#pragma once

#include "common/db/RowSink.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace tallix::cli {

// One CSV field as RFC 4180 writes it: in double quotes, with its quotes doubled, when it holds
// a comma, a double quote, a carriage return or a line feed; as it is otherwise.
QString csvField(const QString& value);

// One record: the fields joined by commas, ended by CR LF.
QString csvRecord(const QStringList& fields);

// Writes a result as it is read: a header record of the field names, then one record per row;
// NULL is an empty field.
class CsvWriter : public RowSink {
public:
    explicit CsvWriter(QTextStream& out)
        : m_out(out)
    {}

    void begin(const QList<FieldInfo>& fields) override;
    void row(const QList<QVariant>& values) override;

private:
    QTextStream& m_out;
};

} // namespace tallix::cli
