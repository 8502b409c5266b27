// The viewer's command line from arbitrary bytes: arguments are split at NUL and line feed.
// --list and --report are left out, since they would connect to whatever server the input names
// (and --report writes files); every other path runs. The run must end with a known status, and a
// query it prints is the viewer's.

#include "viewer/cli/CommandLine.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QStringList arguments;
    for (const QByteArray& piece : bytes.split('\0'))
        for (const QByteArray& arg : piece.split('\n')) {
            const QString a = QString::fromUtf8(arg);
            if (!a.startsWith(QLatin1String("--l")) && !a.startsWith(QLatin1String("--rep")))
                arguments << a;
        }
    QString out;
    QString err;
    QTextStream o(&out);
    QTextStream e(&err);
    const tallix::Servers servers;
    const int status = tallix::cli::Run(arguments, servers, o, e);
    o.flush();
    e.flush();
    if (status < 0 || status > 2)
        __builtin_trap();
    if (status != 0 && err.isEmpty())
        __builtin_trap(); // a failure always says why
    if (status == 0 && out.startsWith(QLatin1String("SELECT")) &&
        !out.endsWith(QLatin1String(" ORDER BY TransactionDate DESC\n")))
        __builtin_trap();
    return 0;
}
