#pragma once

#include <QString>

class QWidget;

namespace tallix {

// The shared dialogs as the generator opens them, modal to `parent`.

// The about box.
void openAboutBox(QWidget* parent);

} // namespace tallix
