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

QString DetailsHandler::currentValue(const QString& field) const
{
    if (!m_current || m_current->RecordCount() == 0 || m_current->atEnd())
        return QString();
    const int index = m_current->FieldIndex(field);
    if (index < 0)
        return QString(); // a column the current-row query does not read (text, image ...)
    return CurrentValueText(m_current->Field(index), m_current->FieldType(index));
}

bool DetailsHandler::sameAsAfter(const QString& field, const QString& current,
                                 const QString& after) const
{
    // Money is recorded with four decimals and shown with two: its values compare as numbers.
    const int index =
        m_current->RecordCount() > 0 && !m_current->atEnd() ? m_current->FieldIndex(field) : -1;
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
        row.current = currentValue(row.field);
        row.currentDiffers = !sameAsAfter(row.field, row.current, row.after);
    } else {
        row.currentDiffers = !row.after.trimmed().isEmpty();
    }
    m_rows << row;
}

} // namespace tallix
