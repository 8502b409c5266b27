// Feeds arbitrary bytes to the project reader, as a file's bytes and as plain text.
// Reading ends quietly at the first failure, so nothing may escape Load. What was
// read must survive a second write and read unchanged, unless a text value holds a
// double quote, which the unescaped project text cannot carry; through a file, a
// value must also hold no line break, since the file is read line by line.

#include "common/base/Error.h"
#include "common/xml/TextCodec.h"
#include "generator/project/Project.h"
#include "generator/project/ProjectFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

using namespace tallix;

bool anyValueHolds(const Project& p, QStringView characters)
{
    auto holds = [&](const QString& s) {
        for (const QChar c : characters) {
            if (s.contains(c))
                return true;
        }
        return false;
    };
    for (const QString* s :
         {&p.Name(), &p.Author(), &p.Server(), &p.DB(), &p.UserID(), &p.OutputFile()}) {
        if (holds(*s))
            return true;
    }
    for (const CTable& t : p.Tables()) {
        if (holds(t.TableName))
            return true;
        for (const CColumn& c : t.Columns) {
            if (holds(c.ColumnName) || holds(c.datatype))
                return true;
        }
    }
    return false;
}

void loadAndCheck(const QString& text)
{
    Project p;
    p.Load(text);
    if (p.IsDirty())
        std::abort();
    if (anyValueHolds(p, u"\""))
        return;
    const QString saved = p.Save();
    Project again;
    again.Load(saved);
    if (again.ObjectToXML() != saved)
        std::abort();
    if (anyValueHolds(p, u"\r\n"))
        return;
    Project fromFile;
    fromFile.Load(ProjectFile::textFromBytes(encode8Bit(saved) + "\r\n"));
    if (fromFile.ObjectToXML() != saved)
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
