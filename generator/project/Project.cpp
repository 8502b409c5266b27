#include "generator/project/Project.h"

#include "common/audit/TableNames.h"
#include "common/base/Error.h"
#include "common/xml/Parser.h"
#include "generator/model/XmlText.h"
#include "generator/project/Encryption.h"

#include <limits>

namespace tallix {

namespace {

constexpr const char* kUnicodeAttribute = "Unicode";

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
// reading where it stands. Remembers the last element read, so that a reading that
// stops early can say where.
class Project::Reader : public IContentHandler {
public:
    explicit Reader(Project& project)
        : m_project(project)
    {}

    void StartElement(const QString& name, const Attributes& a) override
    {
        const QString element = name.toUpper();
        try {
            if (element == QLatin1StringView("PROJECT"))
                readProject(a);
            else if (element == QLatin1StringView("TABLE"))
                readTable(a);
            else if (element == QLatin1StringView("COLUMN"))
                readColumn(a);
        } catch (const Error& e) {
            m_result = {
                false, e.description(),
                QStringLiteral("at the %1 element that follows %2").arg(element, lastRead())};
            throw;
        }
    }

    void StartDocument() override {}
    void EndDocument() override {}
    void EndElement(const QString& name) override
    {
        if (name.compare(QLatin1StringView("TABLES"), Qt::CaseInsensitive) == 0)
            m_tablesEnded = true;
    }
    void Characters(const QString&) override {}
    void ProcessingInstruction(const QString&, const Attributes&) override {}
    void Comment(const QString&) override {}

    // Runs the parse and says how far it got.
    template <typename Parse> ReadResult read(Parse parse)
    {
        try {
            parse(static_cast<IContentHandler*>(this));
        } catch (const Error& e) {
            // Whatever follows the end of the table list cannot take anything away.
            if (m_result.complete && m_sawProject && m_tablesEnded)
                return m_result;
            if (m_result.complete)
                m_result = {
                    false,
                    m_last != Last::Nothing
                        ? QStringLiteral("the text could not be read on (%1)").arg(e.description())
                        : QStringLiteral("the file is empty or holds no project (%1)")
                              .arg(e.description()),
                    QStringLiteral("after %1").arg(lastRead())};
            return m_result;
        }
        if (!m_sawProject)
            return {false, QStringLiteral("the file holds no PROJECT element"),
                    QStringLiteral("after %1").arg(lastRead())};
        if (!m_tablesEnded)
            return {false, QStringLiteral("the file ends before </TABLES>"),
                    QStringLiteral("after %1").arg(lastRead())};
        return m_result;
    }

private:
    // The value at `position`, as written before its references were put in.
    static QString value(const Attributes& a, int position, const char* name)
    {
        if (position > a.Count())
            throw Error(Error::SubscriptOutOfRange, QStringLiteral("attribute %1 (%2) is missing")
                                                        .arg(position)
                                                        .arg(QLatin1StringView(name)));
        return readAttributeValue(a.Item(position).Value());
    }

    template <typename Convert>
    static auto converted(const Attributes& a, int position, const char* name, Convert convert)
    {
        const QString text = value(a, position, name);
        try {
            return convert(text);
        } catch (const Error& e) {
            throw Error(e.number(), QStringLiteral("%1=\"%2\" does not convert (%3)")
                                        .arg(QLatin1StringView(name), text, e.description()));
        }
    }

    static bool boolean(const Attributes& a, int position, const char* name)
    {
        return converted(a, position, name, toBoolean);
    }

    // Stored one by one, straight into the members, so that the project stays
    // unchanged and what was read before a failure is kept.
    void readProject(const Attributes& a)
    {
        Project& p = m_project;
        p.m_name = value(a, 1, "Name");
        p.m_author = value(a, 2, "Author");
        p.m_server = value(a, 3, "Server");
        p.m_db = value(a, 4, "DB");
        p.m_userId = value(a, 5, "UserID");
        Encryption scrambled;
        scrambled.setTextString(value(a, 6, "Password"));
        p.m_password = scrambled.DecryptText();
        p.m_outputFile = value(a, 7, "OutputFile");
        p.m_mts = boolean(a, 8, "MTS");
        p.m_sql2000 = boolean(a, 9, "SQL2000");
        // The first nine stand by position; later ones are known by name, so that an attribute
        // this program does not know is passed over.
        for (int position = 10; position <= a.Count(); ++position) {
            if (a.Item(position).Name().compare(QLatin1StringView(kUnicodeAttribute),
                                                Qt::CaseInsensitive) == 0)
                p.m_unicode = boolean(a, position, kUnicodeAttribute);
        }
        m_sawProject = true;
        m_last = Last::Project;
    }

    void readTable(const Attributes& a)
    {
        const QString name = value(a, 1, "TableName");
        const QString schema = schemaOf(a);
        CTable* table = nullptr;
        try {
            table = &m_project.m_tables.Add(schema, name);
        } catch (const Error& e) {
            throw Error(e.number(), QStringLiteral("table \"%1\" is in the project twice (%2)")
                                        .arg(audit::recordedName(schema, name), e.description()));
        }
        m_current = table;
        table->Insert = boolean(a, 2, "Insert");
        table->Update = boolean(a, 3, "Update");
        table->Delete = boolean(a, 4, "Delete");
        table->LargeKey = boolean(a, 5, "LargeKey");
        m_last = Last::Table;
        m_lastTable = table;
    }

    // The table's schema: an attribute named Schema after the five the table always has, which
    // older readers pass over. Without it the table is in the default schema.
    static QString schemaOf(const Attributes& a)
    {
        for (int position = 6; position <= a.Count(); ++position) {
            if (a.Item(position).Name() == QLatin1StringView("Schema"))
                return readAttributeValue(a.Item(position).Value());
        }
        return QString();
    }

    void readColumn(const Attributes& a)
    {
        if (!m_current)
            throw Error(91, QStringLiteral("a COLUMN element stands before any TABLE (Object "
                                           "variable or With block variable not set)"));
        const QString columnName = value(a, 1, "ColumnName");
        const QString dataType = value(a, 2, "DataType");
        const auto size = converted(a, 3, "Size", toInteger<std::int32_t>);
        const auto precision = converted(a, 4, "NumericPrecision", toInteger<std::int16_t>);
        const auto scale = converted(a, 5, "NumericScale", toInteger<std::int16_t>);
        const bool nulls = boolean(a, 6, "Nulls");
        const bool inPrimaryKey = boolean(a, 7, "InPrimaryKey");
        const bool identity = boolean(a, 8, "Identity");
        const bool include = boolean(a, 9, "Include");
        m_current->Columns.Add(columnName, dataType, size, precision, scale, nulls, inPrimaryKey,
                               identity, include);
        m_last = Last::Column;
        m_lastTable = m_current;
    }

    // What was read last, told only when a reading stops early, so that reading builds no
    // text per element. The last column read is the last one of its table.
    QString lastRead() const
    {
        switch (m_last) {
        case Last::Nothing:
            break;
        case Last::Project:
            return QStringLiteral("the PROJECT element");
        case Last::Table:
            return QStringLiteral("table \"%1\"").arg(m_lastTable->QualifiedName());
        case Last::Column: {
            const int count = m_lastTable->Columns.Count();
            return QStringLiteral("column %1 (\"%2\") of table \"%3\"")
                .arg(count)
                .arg(m_lastTable->Columns.Item(count).ColumnName, m_lastTable->QualifiedName());
        }
        }
        return QStringLiteral("the start of the file");
    }

    Project& m_project;
    CTable* m_current = nullptr;
    enum class Last { Nothing, Project, Table, Column };
    Last m_last = Last::Nothing;
    const CTable* m_lastTable = nullptr; // the table of the last TABLE or COLUMN read
    bool m_sawProject = false;
    bool m_tablesEnded = false;
    ReadResult m_result;
};

QString Project::ReadResult::message() const
{
    return QStringLiteral("The project was read only in part: %1, %2.").arg(reason, where);
}

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

void Project::setUnicodeAuditData(bool value)
{
    m_unicode = value;
    changed();
}

QString Project::Save()
{
    QString text = ObjectToXML();
    m_dirty = false;
    m_tables.IsDirty = false;
    return text;
}

Project::ReadResult Project::Load(const QString& text)
{
    ReadResult result = XMLToObject(text);
    m_dirty = false;
    return result;
}

Project::ReadResult Project::Load(ISourceHandler& source)
{
    ReadResult result = XMLToObject(source);
    m_dirty = false;
    return result;
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
    if (m_unicode)
        appendAttribute(out, QLatin1StringView(kUnicodeAttribute), true);
    out += QLatin1StringView("/>");
    out += kCrLf;
    m_tables.appendXML(out);
    return out;
}

Project::ReadResult Project::XMLToObject(const QString& text)
{
    Parser parser;
    Reader reader(*this);
    return reader.read([&](IContentHandler* handler) { parser.ParseString(text, handler); });
}

Project::ReadResult Project::XMLToObject(ISourceHandler& source)
{
    Parser parser;
    Reader reader(*this);
    return reader.read([&](IContentHandler* handler) { parser.Parse(&source, handler); });
}

} // namespace tallix
