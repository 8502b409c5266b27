#include "generator/project/Project.h"

#include "common/base/Error.h"
#include "common/xml/Parser.h"
#include "generator/model/XmlText.h"
#include "generator/project/Encryption.h"

#include <limits>

namespace tallix {

namespace {

Error typeMismatch()
{
    return Error(13, QStringLiteral("Type mismatch"));
}

Error overflow()
{
    return Error(6, QStringLiteral("Overflow"));
}

// "True" or "False" in any case, or a decimal number (sign, fraction and exponent
// allowed): zero is false, any other number true. Anything else is a type mismatch.
bool toBoolean(const QString& raw)
{
    const QString text = raw.trimmed();
    if (text.compare(QLatin1StringView("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1StringView("false"), Qt::CaseInsensitive) == 0)
        return false;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto isDigit = [&](qsizetype at) {
        return at < n && text[at] >= u'0' && text[at] <= u'9';
    };
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    bool anyDigit = false;
    bool nonZero = false;
    while (isDigit(i)) {
        anyDigit = true;
        nonZero = nonZero || text[i] != u'0';
        ++i;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (isDigit(i)) {
            anyDigit = true;
            nonZero = nonZero || text[i] != u'0';
            ++i;
        }
    }
    if (!anyDigit)
        throw typeMismatch();
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        if (!isDigit(i))
            throw typeMismatch();
        while (isDigit(i))
            ++i;
    }
    if (i != n)
        throw typeMismatch();
    return nonZero;
}

// A whole decimal number with an optional sign; outside T's range is an overflow.
template <typename T> T toInteger(const QString& raw)
{
    const QString text = raw.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        throw typeMismatch();
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            throw typeMismatch();
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > static_cast<long long>(std::numeric_limits<T>::max()) + 1)
            throw overflow();
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
        throw overflow();
    return static_cast<T>(value);
}

} // namespace

// Builds the project from the start-element events. Attributes are taken by
// position, not by name; every failure (a missing attribute, a value that does not
// convert, a COLUMN before any TABLE, a repeated table name) is raised and ends the
// reading where it stands.
class Project::Reader : public IContentHandler {
public:
    explicit Reader(Project& project)
        : m_project(project)
    {}

    void StartElement(const QString& name, const Attributes& a) override
    {
        const QString element = name.toUpper();
        if (element == QLatin1StringView("PROJECT"))
            readProject(a);
        else if (element == QLatin1StringView("TABLE"))
            readTable(a);
        else if (element == QLatin1StringView("COLUMN"))
            readColumn(a);
    }

    void StartDocument() override {}
    void EndDocument() override {}
    void EndElement(const QString&) override {}
    void Characters(const QString&) override {}
    void ProcessingInstruction(const QString&, const Attributes&) override {}
    void Comment(const QString&) override {}

private:
    // Stored one by one, straight into the members, so that the project stays
    // unchanged and what was read before a failure is kept.
    void readProject(const Attributes& a)
    {
        Project& p = m_project;
        p.m_name = a.Item(1).Value();
        p.m_author = a.Item(2).Value();
        p.m_server = a.Item(3).Value();
        p.m_db = a.Item(4).Value();
        p.m_userId = a.Item(5).Value();
        Encryption scrambled;
        scrambled.setTextString(a.Item(6).Value());
        p.m_password = scrambled.DecryptText();
        p.m_outputFile = a.Item(7).Value();
        p.m_mts = toBoolean(a.Item(8).Value());
        p.m_sql2000 = toBoolean(a.Item(9).Value());
    }

    void readTable(const Attributes& a)
    {
        CTable& table = m_project.m_tables.Add(a.Item(1).Value());
        m_current = &table;
        table.Insert = toBoolean(a.Item(2).Value());
        table.Update = toBoolean(a.Item(3).Value());
        table.Delete = toBoolean(a.Item(4).Value());
        table.LargeKey = toBoolean(a.Item(5).Value());
    }

    void readColumn(const Attributes& a)
    {
        if (!m_current)
            throw Error(91, QStringLiteral("Object variable or With block variable not set"));
        const QString columnName = a.Item(1).Value();
        const QString dataType = a.Item(2).Value();
        const auto size = toInteger<std::int32_t>(a.Item(3).Value());
        const auto precision = toInteger<std::int16_t>(a.Item(4).Value());
        const auto scale = toInteger<std::int16_t>(a.Item(5).Value());
        const bool nulls = toBoolean(a.Item(6).Value());
        const bool inPrimaryKey = toBoolean(a.Item(7).Value());
        const bool identity = toBoolean(a.Item(8).Value());
        const bool include = toBoolean(a.Item(9).Value());
        m_current->Columns.Add(columnName, dataType, size, precision, scale, nulls, inPrimaryKey,
                               identity, include);
    }

    Project& m_project;
    CTable* m_current = nullptr;
};

Project::Project() = default;
Project::~Project() = default;

void Project::changed()
{
    if (!m_initializing)
        m_dirty = true;
}

void Project::setName(const QString& value)
{
    m_name = value;
    changed();
}

void Project::setAuthor(const QString& value)
{
    m_author = value;
    changed();
}

void Project::setServer(const QString& value)
{
    m_server = value;
    changed();
}

void Project::setDB(const QString& value)
{
    m_db = value;
    changed();
}

void Project::setUserID(const QString& value)
{
    m_userId = value;
    changed();
}

void Project::setPassword(const QString& value)
{
    m_password = value;
    changed();
}

void Project::setOutputFile(const QString& value)
{
    m_outputFile = value;
    changed();
}

void Project::setSpecialMTSHandling(bool value)
{
    m_mts = value;
    changed();
}

void Project::setSpecialSQL2000Handling(bool value)
{
    m_sql2000 = value;
    changed();
}

QString Project::Save()
{
    QString text = ObjectToXML();
    m_dirty = false;
    m_tables.IsDirty = false;
    return text;
}

void Project::Load(const QString& text)
{
    XMLToObject(text);
    m_dirty = false;
}

QString Project::ObjectToXML() const
{
    Encryption scrambled;
    scrambled.setTextString(m_password);
    QString out;
    out += QLatin1StringView("<PROJECT ");
    appendAttribute(out, QLatin1StringView("Name"), m_name);
    appendAttribute(out, QLatin1StringView("Author"), m_author);
    appendAttribute(out, QLatin1StringView("Server"), m_server);
    appendAttribute(out, QLatin1StringView("DB"), m_db);
    appendAttribute(out, QLatin1StringView("UserID"), m_userId);
    appendAttribute(out, QLatin1StringView("Password"), scrambled.EncryptText());
    appendAttribute(out, QLatin1StringView("OutputFile"), m_outputFile);
    appendAttribute(out, QLatin1StringView("MTS"), m_mts);
    appendAttribute(out, QLatin1StringView("SQL2000"), m_sql2000);
    out += QLatin1StringView("/>");
    out += kCrLf;
    m_tables.appendXML(out);
    return out;
}

void Project::XMLToObject(const QString& text)
{
    Parser parser;
    Reader reader(*this);
    try {
        parser.ParseString(text, &reader);
    } catch (const Error&) {
        // Reading ends quietly; what was read before stays.
    }
}

} // namespace tallix
