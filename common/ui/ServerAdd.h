#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tallix {

class Servers;

// The main windows' command for managing servers: shows the server dialog modally over `parent`
// with `currentServerName` (the window's server box) selected, discards it after it closes and
// then calls `refreshLists`, with which the window refills its server and database lists. A
// failure is reported as "Error <number> in Globals.ServerAdd: <description>".
void ServerAdd(Servers& servers, const QString& currentServerName, const QString& appTitle,
               QWidget* parent, const std::function<void()>& refreshLists);

} // namespace tallix
