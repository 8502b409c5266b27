#pragma once

#include <QList>
#include <QString>

namespace tallix {

// The filters the programs set on results: one or more "FIELD = 'value'" terms joined by AND,
// as in "TABLE_NAME = 'Orders' AND COLUMN_NAME = 'OrderID'". Inside the apostrophes a doubled
// apostrophe stands for one. Anything else fails with error 3001.
class RecordsetFilter {
public:
    struct Term {
        QString field;
        QString value;
    };

    static QList<Term> parse(const QString& text);
};

} // namespace tallix
