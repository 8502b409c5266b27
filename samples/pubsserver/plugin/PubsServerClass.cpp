#include "samples/pubsserver/plugin/PubsServerClass.h"

#include "samples/pubsserver/PubsServer.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace tallix::pubs {

QString PubsServerClass::moduleFolder()
{
    // The file that holds this very function.
#ifdef Q_OS_WIN
    HMODULE module = nullptr;
    wchar_t path[MAX_PATH];
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&PubsServerClass::moduleFolder), &module)) {
        const DWORD size = GetModuleFileNameW(module, path, MAX_PATH);
        if (size > 0 && size < MAX_PATH)
            return QFileInfo(QString::fromWCharArray(path, size)).absolutePath();
    }
#else
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&PubsServerClass::moduleFolder), &info) && info.dli_fname)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
#endif
    return QString();
}

std::unique_ptr<IPubsServer> PubsServerClass::CreateInstance()
{
    const QString folder = moduleFolder();
    const QString settings = QLatin1String(kSettingsFileName);
    return std::make_unique<PubsServer>(folder.isEmpty() ? settings
                                                         : QDir(folder).filePath(settings));
}

} // namespace tallix::pubs
