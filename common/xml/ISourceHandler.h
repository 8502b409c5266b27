#pragma once

#include <QString>

namespace tallix {

// Feeds a chunked parse.
class ISourceHandler {
public:
    virtual ~ISourceHandler() = default;

    // Returns the next chunk of text that must be parsed. An empty (or null)
    // string stops the parsing process.
    virtual QString GetText() = 0;
};

} // namespace tallix
