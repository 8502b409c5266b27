#pragma once

#include "common/base/Error.h"

class QFileDevice;

namespace tallix {

// The runtime's numbers for failed file access, with a description that names the
// file and the system's reason, so that the place reporting it can say why.
namespace FileErrorNumber {
inline constexpr long DeviceIO = 57;
inline constexpr long DiskFull = 61;
inline constexpr long PermissionDenied = 70;
inline constexpr long PathFileAccess = 75;
} // namespace FileErrorNumber

// A file that could not be opened: 53 when it does not exist, else the access error.
Error openFileError(const QFileDevice& file);
Error readFileError(const QFileDevice& file);
Error writeFileError(const QFileDevice& file);

} // namespace tallix
