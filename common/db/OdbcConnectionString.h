#pragma once

#include "common/db/ConnectionOptions.h"

namespace tallix {

// The ODBC connection text for SQL Server through the FreeTDS driver, from the programs' own
// connection string: Data Source -> SERVER (a ",port" or ":port" suffix -> PORT; "(local)" and "."
// -> localhost), Initial Catalog -> DATABASE, User ID -> UID, Password -> PWD, Integrated Security
// -> Trusted_Connection (only without a login; its password is then not sent), Application Name
// -> APP, Workstation ID -> WSID. Provider, Persist Security Info, Use Procedure for Prepare,
// Auto Translate and Packet Size have no meaning here and are left out; any other key (Port,
// TDS_Version, ...) is passed on as written. Values holding ; { } or edge blanks are braced.
class OdbcConnectionString {
public:
    static QString translate(const ConnectionOptions& options, const QString& driver);

    // TALLIX_ODBC_DRIVER when set; else "{FreeTDS}" when the driver is registered with unixODBC;
    // else the driver's library file when it exists; else "{FreeTDS}".
    static QString driver();
    static QString chooseDriver(const QString& odbcinstText, bool driverFileExists,
                                const QString& driverFile);

    static QString escape(const QString& value);
};

} // namespace tallix
