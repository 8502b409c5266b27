#pragma once

#include <QString>

namespace tallix {

// Writes a generated script: the text and one CR LF, in the system's 8-bit
// encoding, creating the missing folders of the path first. The file is replaced
// atomically, so a failed write leaves any earlier file as it was.
class ScriptFile {
public:
    struct Result {
        bool ok = false;
        QString error; // why the write failed; empty on success
        explicit operator bool() const { return ok; }
    };

    static Result write(const QString& path, const QString& text);
};

} // namespace tallix
