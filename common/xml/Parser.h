#pragma once

#include "common/xml/Attributes.h"
#include "common/xml/IContentHandler.h"
#include "common/xml/ISourceHandler.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QFile;

namespace tallix {

class ChunkDecoder;

// The one XML reader of both programs: walks a text once, left to right, and reports
// what it finds as events. It builds no tree and checks no well-formedness: end tags
// are not matched against start tags, and attribute values are handed over exactly
// as they stand between their quotes. Consumers keep their own state and use
// ElementLevel to tell a root element from its children.
//
// Each report goes to ContentHandler when one is set. Without one it is delivered to
// the matching on... callback below (an unset callback drops the report), never to
// both. The callbacks are plain std::function members rather than signals, so the
// parser needs no QObject and costs nothing per event beyond the call.
//
// Failures are raised as tallix::Error: 5 for an empty text, a text without any
// markup and malformed input that the scan cannot pass (see Parser.cpp), 53 for a
// missing file, a file access error otherwise; 9 comes from Attributes::Item.
// Reports already delivered stand, and EndDocument is not reported.
class Parser {
public:
    Parser();
    ~Parser();
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    // Receives content calls; may be null. Not owned. Persists between parses.
    IContentHandler* ContentHandler() const { return m_handler; }
    void setContentHandler(IContentHandler* handler) { m_handler = handler; }

    // The document handler can set this to true to cancel parsing; it is checked
    // after every report except EndDocument. Reset at the start of every parse.
    bool Cancel() const { return m_cancel; }
    void setCancel(bool cancel) { m_cancel = cancel; }

    // The current nesting level: 0 in both reports of the root element, 1 for its
    // children. Raised after a StartElement has been handled, lowered before an
    // EndElement is handled. Beyond the 16-bit range a parse fails with error 6.
    std::int16_t ElementLevel() const { return m_level; }

    // Parses the whole text. An empty text fails with error 5 before any report.
    // A non-null docHandler replaces ContentHandler first (also in the two below).
    void ParseString(const QString& text, IContentHandler* docHandler = nullptr);

    // Parses text pulled in chunks from inputSource, or, when it is null, from the
    // onGetText callback. Any construct may span chunk boundaries; an empty chunk
    // ends the input.
    void Parse(ISourceHandler* inputSource, IContentHandler* docHandler = nullptr);

    // Parses a file: with bufferSize above 0 in chunks of at most that many bytes,
    // otherwise read at once and parsed as a whole (an empty file then behaves like
    // Parse without a source). The bytes are UTF-8, or Windows-1252 when they are not
    // valid UTF-8. A name that names no existing file fails with error 53.
    void ParseFile(const QString& fileName, int bufferSize = 0,
                   IContentHandler* docHandler = nullptr);

    // Delivery without a ContentHandler.
    std::function<void()> onStartDocument;
    std::function<void()> onEndDocument;
    std::function<void(const QString& name, const Attributes& attributes)> onStartElement;
    std::function<void(const QString& name)> onEndElement;
    std::function<void(const QString& text)> onCharacters;
    std::function<void(const QString& name, const Attributes& attributes)> onProcessingInstruction;
    std::function<void(const QString& text)> onComment;
    // Fires when a new block of text is requested and there is neither an input
    // source nor a file; leaving the text empty stops the parsing process.
    std::function<void(QString& text)> onGetText;

private:
    enum class Mode { Between, Text, StartTag, EndTag, Instruction };
    enum class AttributeMode { None, Name, Value };
    struct Cancelled {};

    void begin(IContentHandler* docHandler);
    void run(const QString& text);
    void scan();
    void openMarkup();
    void readValue(char16_t quote);
    void section(qsizetype textOffset, QStringView terminator, bool comment);
    void completeTag(bool emptyElement);
    QString tagName() const;
    void finish();

    bool fetchMore();
    QString nextChunk();
    void compact();
    char16_t peek(qsizetype offset);
    bool lookingAt(qsizetype offset, QStringView text);
    qsizetype findAhead(QStringView needle, qsizetype offset);

    void reportStartElement(const QString& name);
    void reportEndElement(const QString& name);
    void reportCharacters(const QString& text);
    void reportInstruction(const QString& name);
    void reportComment(const QString& text);
    void checkCancel();

    IContentHandler* m_handler = nullptr;
    bool m_cancel = false;
    std::int16_t m_level = 0;
    bool m_busy = false;

    // Input: the buffered text, whether more may follow, and where it comes from.
    QString m_buf;
    bool m_final = true;
    ISourceHandler* m_source = nullptr;
    std::unique_ptr<QFile> m_file;
    std::unique_ptr<ChunkDecoder> m_decoder;
    qint64 m_bufferSize = 0;
    qint64 m_bytesLeft = 0; // file bytes not yet read

    // Scanner state. Positions index m_buf; -1 means no token is being collected.
    qsizetype m_pos = 0;
    qsizetype m_token = -1;
    Mode m_mode = Mode::Between;
    AttributeMode m_attributeMode = AttributeMode::None;
    QString m_tagName;
    QString m_attributeName;
    Attributes m_attributes;
};

} // namespace tallix
