// Feeds arbitrary bytes to the project reader, as a file's bytes and as plain text.
// Reading ends quietly at the first failure, so nothing may escape Load. What was
// read must survive a second write and read unchanged, also through a file: double
// quotes and line breaks in values are written as references and read back.

#include "common/base/Error.h"
#include "common/xml/TextCodec.h"
#include "generator/project/Project.h"
#include "generator/project/ProjectFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

using namespace tallix;

void loadAndCheck(const QString& text)
{
    Project p;
    p.Load(text);
    if (p.IsDirty())
        std::abort();
    const QString saved = p.Save();
    Project again;
    if (!again.Load(saved).complete || again.ObjectToXML() != saved)
        std::abort();
    Project fromFile;
    if (!fromFile.Load(ProjectFile::textFromBytes(encode8Bit(saved) + "\r\n")).complete ||
        fromFile.ObjectToXML() != saved)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        loadAndCheck(ProjectFile::textFromBytes(bytes));
        loadAndCheck(decode8Bit(bytes));
    } catch (const Error&) {
        // Expected failures carry a number; anything else is a fault.
    }
    return 0;
}
