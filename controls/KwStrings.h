#pragma once

#include "controls/Solido3dExport.h"

#include <QString>
#include <optional>

namespace Solido {

// The library's texts: the string table that documentation requests read by number (the
// library's help string, the class descriptions and the messages of its own errors), and the
// text of every error number it raises.

// The locale of the built-in table (US English).
constexpr int kDefaultLocale = 0x409;

// Looks string number `id` up for `locale`. Without a locale (0) the request succeeds with no
// text; an unknown number fails. Locales without a table of their own read the built-in one.
// Safe to call from any thread: the per-locale cache is guarded by a lock.
struct DocumentationResult {
    bool ok = false;
    std::optional<QString> text;
};
SOLIDO3D_EXPORT DocumentationResult documentationString(int id, int locale);

// The message number of each of the library's own errors and the help string.
constexpr int kLibraryHelpString = 1;
constexpr int kFirstClassDescription = 101; // KwFrame .. KwCommand, then the two data objects

// The text of an error number; an unknown number gives "Application-defined or object-defined
// error".
SOLIDO3D_EXPORT QString errorText(long number);

} // namespace Solido
