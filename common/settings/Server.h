#pragma once

#include <QString>

namespace tallix {

// One registered SQL Server instance. The password is held in plain text in memory and
// scrambled only in the settings store.
struct Server {
    QString ServerName;      // the instance name, used as Data Source
    QString UserID;          // SQL login; empty means integrated authentication
    QString Password;        // password of the login
    QString DefaultDatabase; // chosen first when the server is selected
    bool IsDefault = false;  // the server the main windows select at start
};

} // namespace tallix
