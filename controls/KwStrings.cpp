#include "controls/KwStrings.h"

#include "controls/KwError.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <map>

namespace Solido {

namespace {

using StringTable = std::map<int, QString>;

// The built-in table. Messages of the range errors sit at their error number plus 10000.
StringTable englishTable()
{
    const long offset = KwError::MessageOffset;
    return {
        {kLibraryHelpString, QStringLiteral("Solidware Plus Controls")},
        {kFirstClassDescription + 0, QStringLiteral("KwFrame Control 3.0")},
        {kFirstClassDescription + 1, QStringLiteral("KwPanel Control 3.0")},
        {kFirstClassDescription + 2, QStringLiteral("KwOption Control 3.0")},
        {kFirstClassDescription + 3, QStringLiteral("KwCheck Control 3.0")},
        {kFirstClassDescription + 4, QStringLiteral("KwRibbon Control 3.0")},
        {kFirstClassDescription + 5, QStringLiteral("KwCommand Control 3.0")},
        {kFirstClassDescription + 6, QStringLiteral("KwDataObject Object")},
        {kFirstClassDescription + 7, QStringLiteral("KwDataObjectFiles Object")},
        {int(KwError::PanelBevelWidth + offset),
         QStringLiteral("Bevel width must be from 0 to 30")},
        {int(KwError::PanelBorderWidth + offset),
         QStringLiteral("Border width must be from 0 to 30")},
        {int(KwError::ButtonBevelWidth + offset),
         QStringLiteral("Bevel width must be from 0 to 10")},
        {int(KwError::GroupNumber + offset), QStringLiteral("Group number must be from 0 to 99")},
        {int(KwError::FloodPercent + offset),
         QStringLiteral("Flood percent must be from 0 to 100")},
        {int(KwError::UnsupportedFormat + offset),
         QStringLiteral("DataObject does not support this format.")},
        {int(KwError::TransparentAtRunTime + offset),
         QStringLiteral("The BackStyle can not be set to Transparent at run-time if it was not "
                        "set to Transparent at design-time.")},
        {int(KwError::InvalidIndex + offset), QStringLiteral("Specified index is invalid")},
    };
}

// Tables loaded so far, by locale. Documentation requests may come from any thread.
QMutex cacheLock;
QHash<int, const StringTable*> cache;

const StringTable& tableFor(int locale)
{
    static const StringTable english = englishTable();
    QMutexLocker lock(&cacheLock);
    auto it = cache.constFind(locale);
    if (it == cache.constEnd())
        it = cache.insert(locale, &english); // no locale has a table of its own yet
    return **it;
}

} // namespace

DocumentationResult documentationString(int id, int locale)
{
    if (locale == 0)
        return {true, std::nullopt};
    const StringTable& table = tableFor(locale);
    const auto it = table.find(id);
    if (it == table.end())
        return {false, std::nullopt};
    return {true, it->second};
}

QString errorText(long number)
{
    switch (number) {
    case KwError::InvalidProcedureCall:
        return QStringLiteral("Invalid procedure call");
    case KwError::FileNotFound:
        return QStringLiteral("File not found");
    case KwError::InvalidPropertyValue:
        return QStringLiteral("Invalid property value");
    case KwError::ReadOnlyProperty:
        return QStringLiteral("Property is read-only");
    case KwError::UnavailableAtDesignTime:
        return QStringLiteral("Property unavailable at design time");
    case KwError::InvalidObjectUse:
        return QStringLiteral("Invalid object use");
    case KwError::NoSuchProperty:
        return QStringLiteral("Object doesn't support this property or method");
    case KwError::NotSupported:
        return QStringLiteral("Sound playback is not supported on this system");
    case KwError::FormatMismatch:
        return QStringLiteral("Specified format doesn't match format of data");
    case KwError::FormatsLocked:
        return QStringLiteral("DataObject formats list may not be cleared or expanded outside of "
                              "the OLEStartDrag event");
    case KwError::ArgumentExpected:
        return QStringLiteral("Expected at least one argument");
    case KwError::RecursiveDrag:
        return QStringLiteral("Illegal recursive invocation of OLE drag and drop");
    case KwError::ByteArrayRequired:
        return QStringLiteral("Non-intrinsic OLE drag and drop formats used with SetData require "
                              "Byte array data.  GetData may return more bytes than were given to "
                              "SetData.");
    case KwError::DataNotSupplied:
        return QStringLiteral(
            "Requested data was not supplied to the DataObject during the OLESetData event.");
    default:
        break;
    }
    const DocumentationResult message =
        documentationString(int(number + KwError::MessageOffset), kDefaultLocale);
    if (number >= 30000 && message.text)
        return *message.text;
    return QStringLiteral("Application-defined or object-defined error");
}

} // namespace Solido
