#pragma once

#include "common/base/Error.h"

#include <QSaveFile>

namespace tallix::reports {

// Error 75, "Path/File access error", with what went wrong.
inline constexpr long kFileAccessError = 75;
Error fileError(const QString& path, const QString& reason);

// A file written whole or not at all: its bytes go to a temporary file that replaces the file on
// commit(); dropped without commit(), it leaves the file as it was. Fails with fileError().
class ExportFile {
public:
    explicit ExportFile(const QString& path);
    void write(const QByteArray& bytes);
    QSaveFile& device() { return m_file; }
    void commit();

private:
    QSaveFile m_file;
};

} // namespace tallix::reports
