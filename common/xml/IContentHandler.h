#pragma once

#include "common/xml/Attributes.h"

#include <QString>

namespace tallix {

// Receives what the parser reads, in document order. A handler may read the
// parser's ElementLevel and set its Cancel while it handles a call. The
// attributes passed with a call are valid only during that call.
class IContentHandler {
public:
    virtual ~IContentHandler() = default;

    // Start of parsing.
    virtual void StartDocument() = 0;
    // End of parsing.
    virtual void EndDocument() = 0;
    // An open tag has been parsed; the name has no surrounding < >.
    virtual void StartElement(const QString& name, const Attributes& attributes) = 0;
    // A close tag has been parsed; the name has no surrounding </ >. Also right
    // after the StartElement of an empty-element tag.
    virtual void EndElement(const QString& name) = 0;
    // A block of text has been parsed: character data or a CDATA section.
    virtual void Characters(const QString& text) = 0;
    // A processing instruction such as <?xml version='1.0'?> has been parsed.
    virtual void ProcessingInstruction(const QString& name, const Attributes& attributes) = 0;
    // A comment has been parsed.
    virtual void Comment(const QString& text) = 0;
};

} // namespace tallix
