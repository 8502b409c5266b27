#pragma once

#include "common/xml/IContentHandler.h"
#include "viewer/details/DetailRow.h"

#include <QList>

namespace tallix {

class Parser;
class Recordset;

// Reads the audit data of one row (an AUDIT element holding COLUMN elements whose attributes
// are, by position, NAME, BEFORE and AFTER) into detail rows. Every column is kept; `shown`
// marks those the grid lists. With a current-row result, each row also gets the column's current
// value; a column the result lacks, or a result without a row (the audited row was deleted), gives
// an empty current value.
class DetailsHandler : public IContentHandler {
public:
    // `current` is null when "Show Current" is unchecked; it must outlive the parse.
    DetailsHandler(const Parser& parser, bool showAllFields, const Recordset* current);

    // Every COLUMN read, in order.
    const QList<DetailRow>& rows() const { return m_rows; }
    // Those the grid shows.
    QList<DetailRow> shownRows() const;

    void StartDocument() override {}
    void EndDocument() override {}
    void StartElement(const QString& name, const Attributes& attributes) override;
    void EndElement(const QString&) override {}
    void Characters(const QString&) override {}
    void ProcessingInstruction(const QString&, const Attributes&) override {}
    void Comment(const QString&) override {}

private:
    // The column's index in the current row, or -1 when there is no current row or it lacks the
    // column.
    int currentIndex(const QString& field) const;
    QString currentValue(int index) const;
    bool sameAsAfter(int index, const QString& current, const QString& after) const;

    const Parser& m_parser;
    bool m_showAllFields;
    const Recordset* m_current;
    QList<DetailRow> m_rows;
};

} // namespace tallix
