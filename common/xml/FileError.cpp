#include "common/xml/FileError.h"

#include <QFileDevice>
#include <QFileInfo>

namespace tallix {

namespace {

QString withReason(const QString& what, const QFileDevice& file)
{
    return QStringLiteral("%1: '%2' (%3)")
        .arg(what, QFileInfo(file.fileName()).absoluteFilePath(), file.errorString());
}

} // namespace

Error openFileError(const QFileDevice& file)
{
    if (file.error() == QFileDevice::PermissionsError)
        return Error(FileErrorNumber::PermissionDenied,
                     withReason(QStringLiteral("Permission denied"), file));
    if (!file.fileName().isEmpty() && !QFileInfo::exists(file.fileName()))
        return Error::fileNotFound();
    return Error(FileErrorNumber::PathFileAccess,
                 withReason(QStringLiteral("Path/File access error"), file));
}

Error readFileError(const QFileDevice& file)
{
    return Error(FileErrorNumber::DeviceIO, withReason(QStringLiteral("Device I/O error"), file));
}

Error writeFileError(const QFileDevice& file)
{
    if (file.error() == QFileDevice::ResourceError)
        return Error(FileErrorNumber::DiskFull, withReason(QStringLiteral("Disk full"), file));
    if (file.error() == QFileDevice::PermissionsError)
        return Error(FileErrorNumber::PermissionDenied,
                     withReason(QStringLiteral("Permission denied"), file));
    return Error(FileErrorNumber::PathFileAccess,
                 withReason(QStringLiteral("Path/File access error"), file));
}

} // namespace tallix
