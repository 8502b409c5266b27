#pragma once

#include <QString>

class QWidget;

namespace tallix {

// The shared dialogs as the generator opens them, modal to `parent`.

// The server registration dialog, starting at `currentServer`; it writes the registered servers
// to the settings store when left with OK.
void openServerDialog(QWidget* parent, const QString& currentServer);

// The about box.
void openAboutBox(QWidget* parent);

} // namespace tallix
