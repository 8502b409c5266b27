#include "viewer/details/DetailsHandler.h"

#include "common/db/ColumnTypeInfo.h"
#include "common/db/Recordset.h"
#include "common/xml/Parser.h"
#include "viewer/details/CurrentValue.h"
#include "viewer/details/DetailText.h"

#include <cmath>

namespace tallix {

DetailsHandler::DetailsHandler(const Parser& parser, bool showAllFields, const Recordset* current)
    : m_parser(parser)
    , m_showAllFields(showAllFields)
    , m_current(current)
{}

QList<DetailRow> DetailsHandler::shownRows() const
{
    QList<DetailRow> shown;
    for (const DetailRow& row : m_rows) {
        if (row.shown)
            shown << row;
    }
    return shown;
}

int DetailsHandler::currentIndex(const QString& field) const
{
    if (!m_current || m_current->RecordCount() == 0 || m_current->atEnd())
        return -1;
    return m_current->FieldIndex(field);
}

QString DetailsHandler::currentValue(int index) const
{
    if (index < 0)
        return QString(); // no current row, or a column the query does not read (text, image ...)
    return CurrentValueText(m_current->Field(index), m_current->FieldType(index));
}

bool DetailsHandler::sameAsAfter(int index, const QString& current, const QString& after) const
{
    // Money is recorded with four decimals and shown with two: its values compare as numbers.
    if (index >= 0 && m_current->FieldType(index) == dbtype::CY) {
        bool currentIsNumber = false;
        bool afterIsNumber = false;
        const double now = m_current->Field(index).toDouble(&currentIsNumber);
        const double then = after.trimmed().toDouble(&afterIsNumber);
        if (currentIsNumber && afterIsNumber)
            return std::llround(now * 10000) == std::llround(then * 10000);
    }
    // Against the after value as shown, so an apostrophe stored as "&apos;" is no difference.
    return current.trimmed() == after.trimmed();
}

void DetailsHandler::StartElement(const QString&, const Attributes& attributes)
{
    if (m_parser.ElementLevel() == 0)
        return; // the AUDIT element itself
    // By position, as the triggers write them; a missing one fails and ends the parse.
    const QString& name = attributes.getValue(1);
    const QString& before = attributes.getValue(2);
    const QString& after = attributes.getValue(3);

    DetailRow row;
    row.field = FixupString(name);
    row.before = FixupString(before);
    row.after = FixupString(after);
    row.changed = before != after;
    row.shown = m_showAllFields || row.changed;
    if (m_current) {
        const int index = currentIndex(row.field);
        row.current = currentValue(index);
        row.currentDiffers = !sameAsAfter(index, row.current, row.after);
    } else {
        row.currentDiffers = !row.after.trimmed().isEmpty();
    }
    m_rows << row;
}

} // namespace tallix
