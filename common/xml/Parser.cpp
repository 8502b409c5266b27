#include "common/xml/Parser.h"

#include "common/base/Error.h"
#include "common/xml/FileError.h"
#include "common/xml/TextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <limits>

// Input the scan cannot pass fails with error 5: no '<' at all, non-white-space
// text after the last markup, a comment, CDATA section or attribute value without
// its terminator at the end of input, a start tag, end tag or processing
// instruction without a name ("<>", "</>", "<??>"), and a space right after '<'.
// A tag that is still open when the input ends is dropped without a report.

namespace tallix {

namespace {

constexpr long kOverflow = 6;

// Character data, comments and CDATA text: every run of white space (a space or a
// character below 32) shrinks to one space; with entities, the five predefined
// references are replaced and nothing else is.
QString decodeText(QStringView raw, bool entities)
{
    static constexpr struct {
        QStringView reference;
        char16_t character;
    } kEntities[] = {
        {u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&quot;", u'"'}, {u"&apos;", u'\''}, {u"&amp;", u'&'}};

    QString out;
    out.reserve(raw.size());
    bool inWhiteSpace = false;
    for (qsizetype i = 0; i < raw.size();) {
        const char16_t c = raw[i].unicode();
        if (c <= u' ') {
            if (!inWhiteSpace)
                out += u' ';
            inWhiteSpace = true;
            ++i;
            continue;
        }
        inWhiteSpace = false;
        if (entities && c == u'&') {
            const QStringView rest = raw.mid(i);
            bool replaced = false;
            for (const auto& e : kEntities) {
                if (rest.startsWith(e.reference)) {
                    out += e.character;
                    i += e.reference.size();
                    replaced = true;
                    break;
                }
            }
            if (replaced)
                continue;
        }
        out += QChar(c);
        ++i;
    }
    return out;
}

// Marks the parser busy for one parse and releases its input however the parse ends.
class ParseScope {
public:
    ParseScope(bool& busy, std::function<void()> release)
        : m_busy(busy)
        , m_release(std::move(release))
    {
        // A handler that starts another parse on the same parser would pull the
        // text out from under the running scan.
        if (m_busy)
            throw Error::invalidArgument();
        m_busy = true;
    }
    ~ParseScope()
    {
        m_release();
        m_busy = false;
    }
    ParseScope(const ParseScope&) = delete;
    ParseScope& operator=(const ParseScope&) = delete;

private:
    bool& m_busy;
    std::function<void()> m_release;
};

} // namespace

Parser::Parser() = default;
Parser::~Parser() = default;

void Parser::ParseString(const QString& text, IContentHandler* docHandler)
{
    if (text.isEmpty())
        throw Error::invalidArgument();
    ParseScope scope(m_busy, [this] { finish(); });
    begin(docHandler);
    run(text);
}

void Parser::Parse(ISourceHandler* inputSource, IContentHandler* docHandler)
{
    ParseScope scope(m_busy, [this] { finish(); });
    begin(docHandler);
    m_source = inputSource;
    run(QString());
}

void Parser::ParseFile(const QString& fileName, int bufferSize, IContentHandler* docHandler)
{
    ParseScope scope(m_busy, [this] { finish(); });
    if (fileName.isEmpty() || !QFileInfo::exists(fileName))
        throw Error::fileNotFound();
    auto file = std::make_unique<QFile>(fileName);
    if (!file->open(QIODevice::ReadOnly))
        throw openFileError(*file);

    if (bufferSize <= 0) {
        const QByteArray bytes = file->readAll();
        if (file->error() != QFileDevice::NoError) {
            const Error error = readFileError(*file);
            file->close();
            throw error;
        }
        file->close();
        begin(docHandler);
        run(decode8Bit(bytes)); // an empty file parses like Parse without a source
        return;
    }

    // The encoding of the whole file is settled before its first chunk is parsed,
    // so a file that is not valid UTF-8 reads as Windows-1252 from its first byte.
    Utf8Validator validator;
    QByteArray block(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file->read(block.data(), block.size());
        if (n < 0) {
            const Error error = readFileError(*file);
            file->close();
            throw error;
        }
        if (n == 0)
            break;
        validator.feed(QByteArrayView(block.constData(), n));
    }
    if (!file->seek(0)) {
        const Error error = readFileError(*file);
        file->close();
        throw error;
    }
    m_decoder = std::make_unique<ChunkDecoder>(validator.isValid());
    m_bufferSize = bufferSize;
    m_bytesLeft = file->size();
    m_file = std::move(file);
    begin(docHandler);
    run(QString());
}

void Parser::begin(IContentHandler* docHandler)
{
    m_cancel = false;
    m_level = 0;
    if (docHandler)
        m_handler = docHandler;
}

void Parser::finish()
{
    if (m_file)
        m_file->close();
    m_file.reset();
    m_decoder.reset();
    m_source = nullptr;
    m_buf = QString();
    m_attributes.clear();
    m_tagName.clear();
    m_attributeName.clear();
}

void Parser::run(const QString& text)
{
    m_pos = 0;
    m_token = -1;
    m_mode = Mode::Between;
    m_attributeMode = AttributeMode::None;
    m_tagName.clear();
    m_attributeName.clear();
    m_attributes.clear();
    try {
        if (m_handler)
            m_handler->StartDocument();
        else if (onStartDocument)
            onStartDocument();
        checkCancel();

        if (text.isEmpty()) {
            // Chunked: everything before the first '<' is skipped unread, even when
            // it fills whole chunks.
            m_buf = QString();
            m_final = false;
            qsizetype first;
            while ((first = m_buf.indexOf(u'<', m_pos)) < 0) {
                m_pos = m_buf.size();
                if (!fetchMore())
                    throw Error::invalidArgument();
            }
            m_pos = first;
        } else {
            m_buf = text;
            m_final = true;
            m_pos = m_buf.indexOf(u'<');
            if (m_pos < 0)
                throw Error::invalidArgument();
        }

        scan();

        if (m_file)
            m_file->close();
        m_file.reset();
        if (m_handler)
            m_handler->EndDocument();
        else if (onEndDocument)
            onEndDocument();
    } catch (const Cancelled&) {
    }
}

void Parser::scan()
{
    for (;;) {
        if (m_pos >= m_buf.size()) {
            if (fetchMore())
                continue;
            return;
        }
        const char16_t c = m_buf[m_pos].unicode();
        if (c < u' ') {
            ++m_pos; // skipped, but stays inside a token being collected
            continue;
        }

        if (m_attributeMode == AttributeMode::Name) {
            if (m_token < 0) {
                if (c == u'>' || c == u'/' || c == u'?') {
                    m_attributeMode = AttributeMode::None; // examined again below
                } else {
                    if (c != u' ')
                        m_token = m_pos;
                    ++m_pos;
                    continue;
                }
            } else {
                if (c == u' ' || c == u'=') {
                    m_attributeName = m_buf.mid(m_token, m_pos - m_token);
                    m_token = -1;
                    m_attributeMode = AttributeMode::Value;
                }
                ++m_pos;
                continue;
            }
        } else if (m_attributeMode == AttributeMode::Value) {
            if (c == u'"' || c == u'\'')
                readValue(c);
            else
                ++m_pos;
            continue;
        }

        switch (m_mode) {
        case Mode::Between:
            if (c == u'<') {
                openMarkup();
            } else if (c == u' ') {
                m_token = -1;
                ++m_pos;
            } else {
                m_token = m_pos;
                m_mode = Mode::Text;
                const qsizetype next = findAhead(u"<", 1);
                if (next < 0)
                    throw Error::invalidArgument();
                m_pos += next;
            }
            break;
        case Mode::Text:
            if (c == u'<')
                openMarkup();
            else
                ++m_pos;
            break;
        case Mode::StartTag:
        case Mode::Instruction:
            if (c == u' ') {
                if (m_token < 0)
                    throw Error::invalidArgument();
                m_tagName = m_buf.mid(m_token, m_pos - m_token);
                m_token = -1;
                m_attributeMode = AttributeMode::Name;
                ++m_pos;
            } else if (m_mode == Mode::StartTag && c == u'>') {
                completeTag(false);
            } else if (((m_mode == Mode::StartTag && c == u'/') ||
                        (m_mode == Mode::Instruction && c == u'?')) &&
                       peek(1) == u'>') {
                completeTag(true);
            } else {
                if (m_token < 0) {
                    m_token = m_pos;
                    m_tagName.clear();
                    if (m_attributes.Count() > 0)
                        m_attributes.clear();
                }
                ++m_pos;
            }
            break;
        case Mode::EndTag:
            if (c == u'>') {
                if (m_token < 0)
                    throw Error::invalidArgument();
                const QString name = m_buf.mid(m_token, m_pos - m_token);
                m_token = -1;
                m_mode = Mode::Between;
                ++m_pos;
                reportEndElement(name);
            } else {
                if (m_token < 0)
                    m_token = m_pos;
                ++m_pos;
            }
            break;
        }
    }
}

void Parser::openMarkup()
{
    if (m_mode == Mode::Text && m_token >= 0) {
        const QString text = decodeText(QStringView(m_buf).mid(m_token, m_pos - m_token), true);
        m_token = -1;
        reportCharacters(text);
    }
    m_token = -1;
    switch (peek(1)) {
    case u'/':
        m_mode = Mode::EndTag;
        m_pos += 2;
        break;
    case u'?':
        m_mode = Mode::Instruction;
        m_tagName.clear();
        m_pos += 2;
        break;
    case u'!':
        if (lookingAt(2, u"--"))
            section(4, u"-->", true);
        else if (lookingAt(2, u"[CDATA["))
            section(9, u"]]>", false);
        else
            m_pos += 1; // an unknown declaration: the scan goes on with the '!'
        break;
    default:
        m_mode = Mode::StartTag;
        m_tagName.clear();
        m_pos += 1;
        break;
    }
}

void Parser::readValue(char16_t quote)
{
    const qsizetype close = findAhead(QStringView(&quote, 1), 1);
    if (close < 0)
        throw Error::invalidArgument();
    m_attributes.append(std::move(m_attributeName), m_buf.mid(m_pos + 1, close - 1));
    m_attributeName = QString();
    m_attributeMode = AttributeMode::Name;
    m_pos += close + 1;
}

void Parser::section(qsizetype textOffset, QStringView terminator, bool comment)
{
    const qsizetype end = findAhead(terminator, textOffset);
    if (end < 0)
        throw Error::invalidArgument();
    const QString text =
        decodeText(QStringView(m_buf).mid(m_pos + textOffset, end - textOffset), false);
    m_pos += end + terminator.size();
    // Text that follows a comment or CDATA section is reported as character data
    // of its own, whether or not character data came before the section.
    if (m_mode == Mode::Text)
        m_mode = Mode::Between;
    if (comment)
        reportComment(text);
    else
        reportCharacters(text);
}

QString Parser::tagName() const
{
    if (!m_tagName.isEmpty())
        return m_tagName;
    if (m_token < 0)
        throw Error::invalidArgument();
    return m_buf.mid(m_token, m_pos - m_token);
}

void Parser::completeTag(bool emptyElement)
{
    const QString name = tagName();
    const bool instruction = m_mode == Mode::Instruction;
    m_token = -1;
    m_mode = Mode::Between;
    m_pos += emptyElement ? 2 : 1;
    if (instruction) {
        reportInstruction(name);
        return;
    }
    reportStartElement(name);
    if (emptyElement)
        reportEndElement(name);
}

// --- input -------------------------------------------------------------------

bool Parser::fetchMore()
{
    if (m_final)
        return false;
    const QString chunk = nextChunk();
    if (chunk.isEmpty()) {
        m_final = true;
        return false;
    }
    compact();
    m_buf += chunk;
    return true;
}

QString Parser::nextChunk()
{
    if (m_source)
        return m_source->GetText();
    if (m_file) {
        for (;;) {
            const qint64 want = qMin(m_bufferSize, m_bytesLeft);
            QByteArray bytes(static_cast<qsizetype>(want), Qt::Uninitialized);
            const qint64 n = want > 0 ? m_file->read(bytes.data(), want) : 0;
            if (n < 0) {
                const Error error = readFileError(*m_file);
                m_file->close();
                m_file.reset();
                throw error;
            }
            if (n == 0) {
                m_file->close();
                m_file.reset();
                return QString();
            }
            m_bytesLeft -= n;
            // A chunk that ends inside a UTF-8 sequence may decode to nothing yet;
            // that must not read as the end of input.
            QString text = m_decoder->decode(QByteArrayView(bytes.constData(), n));
            if (!text.isEmpty())
                return text;
        }
    }
    QString text;
    if (onGetText)
        onGetText(text);
    return text;
}

// Drops the text already scanned, keeping the token being collected. Done only when
// the dropped part is at least as long as what stays, so joins copy each character
// a bounded number of times however small the chunks are.
void Parser::compact()
{
    qsizetype keep = m_pos;
    if (m_token >= 0 && m_token < keep)
        keep = m_token;
    if (keep <= 0 || keep < m_buf.size() - keep)
        return;
    m_buf.remove(0, keep);
    m_pos -= keep;
    if (m_token >= 0)
        m_token -= keep;
}

char16_t Parser::peek(qsizetype offset)
{
    while (m_pos + offset >= m_buf.size() && fetchMore()) {
    }
    return m_pos + offset < m_buf.size() ? m_buf[m_pos + offset].unicode() : u'\0';
}

bool Parser::lookingAt(qsizetype offset, QStringView text)
{
    peek(offset + text.size() - 1);
    return QStringView(m_buf).mid(qMin(m_pos + offset, m_buf.size())).startsWith(text);
}

// Offset from m_pos of the next `needle` at or after m_pos + offset, asking for
// more input while it is missing; -1 when the input ends without it. Each join
// searches only the new text (and the few characters a match may straddle).
qsizetype Parser::findAhead(QStringView needle, qsizetype offset)
{
    qsizetype from = offset;
    for (;;) {
        const qsizetype found = m_buf.indexOf(needle, m_pos + from);
        if (found >= 0)
            return found - m_pos;
        from = qMax(from, m_buf.size() - m_pos - (needle.size() - 1));
        if (!fetchMore())
            return -1;
    }
}

// --- reports -----------------------------------------------------------------

void Parser::checkCancel()
{
    if (m_cancel)
        throw Cancelled{};
}

void Parser::reportStartElement(const QString& name)
{
    if (m_handler)
        m_handler->StartElement(name, m_attributes);
    else if (onStartElement)
        onStartElement(name, m_attributes);
    if (m_level == std::numeric_limits<std::int16_t>::max())
        throw Error(kOverflow, QStringLiteral("Overflow"));
    ++m_level;
    checkCancel();
}

void Parser::reportEndElement(const QString& name)
{
    if (m_level == std::numeric_limits<std::int16_t>::min())
        throw Error(kOverflow, QStringLiteral("Overflow"));
    --m_level;
    if (m_handler)
        m_handler->EndElement(name);
    else if (onEndElement)
        onEndElement(name);
    checkCancel();
}

void Parser::reportCharacters(const QString& text)
{
    if (m_handler)
        m_handler->Characters(text);
    else if (onCharacters)
        onCharacters(text);
    checkCancel();
}

void Parser::reportInstruction(const QString& name)
{
    if (m_handler)
        m_handler->ProcessingInstruction(name, m_attributes);
    else if (onProcessingInstruction)
        onProcessingInstruction(name, m_attributes);
    checkCancel();
}

void Parser::reportComment(const QString& text)
{
    if (m_handler)
        m_handler->Comment(text);
    else if (onComment)
        onComment(text);
    checkCancel();
}

} // namespace tallix
