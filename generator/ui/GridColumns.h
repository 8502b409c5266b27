#pragma once

#include <QList>
#include <QStringList>

namespace tallix {

class Grid;

// Column set-up shared by the generator's grids.
namespace GridColumns {

// One header row with these texts and widths (twips), whole rows selected one at a time, no row
// headers. A column is never narrower than its header's text, whatever the font.
void setUp(Grid* grid, const QStringList& headers, const QList<int>& widths);

// Gives column `stretch` what the other columns leave of the grid's width, less 350 twips for
// the scroll bar, but at least `minimum` twips.
void fit(Grid* grid, int stretch, int minimum = 1200);

} // namespace GridColumns

} // namespace tallix
