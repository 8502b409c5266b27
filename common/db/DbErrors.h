#pragma once

#include "common/base/Error.h"

namespace tallix {

// Error numbers of the database layer, as the programs compare and show them. The provider
// numbers are the signed 32-bit values of the OLE DB codes.
inline constexpr long DB_E_NOTABLE = -2147217865; // 0x80040E37: the table does not exist
inline constexpr long DB_E_ERRORSINCOMMAND =
    -2147217900;                                   // 0x80040E14: the server refused a command
inline constexpr long DB_E_FAIL = -2147467259;     // 0x80004005: connecting or another failure
inline constexpr long AdErrInvalidArgument = 3001; // wrong or conflicting arguments
inline constexpr long AdErrNoCurrentRecord = 3021; // no current row
inline constexpr long AdErrObjectClosed = 3704;    // the connection is not open
inline constexpr long AdErrNotAllowed = 3219;      // not allowed on this kind of result
inline constexpr long AdErrItemNotFound = 3265;    // no field of that name or position

namespace dberror {

Error invalidArgument(const QString& detail = {});
Error noCurrentRecord();
Error objectClosed();
Error notAllowed();
Error itemNotFound(const QString& name);
Error noTable(const QString& description);
Error command(const QString& description);
Error failure(const QString& description);

} // namespace dberror

} // namespace tallix
