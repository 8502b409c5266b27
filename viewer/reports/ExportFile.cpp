#include "viewer/reports/ExportFile.h"

namespace tallix::reports {

Error fileError(const QString& path, const QString& reason)
{
    return Error(kFileAccessError, QStringLiteral("Cannot write \"%1\": %2").arg(path, reason));
}

ExportFile::ExportFile(const QString& path)
    : m_file(path)
{
    if (!m_file.open(QIODevice::WriteOnly))
        throw fileError(path, m_file.errorString());
}

void ExportFile::write(const QByteArray& bytes)
{
    if (m_file.write(bytes) != bytes.size())
        throw fileError(m_file.fileName(), m_file.errorString());
}

void ExportFile::commit()
{
    if (!m_file.commit())
        throw fileError(m_file.fileName(), m_file.errorString());
}

} // namespace tallix::reports
