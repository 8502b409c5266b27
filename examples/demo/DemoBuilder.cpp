#include "examples/demo/DemoBuilder.h"

#include "common/base/Error.h"
#include "common/db/Recordset.h"
#include "common/settings/ConnectionString.h"
#include "common/settings/Servers.h"
#include "examples/demo/AuditRecorder.h"
#include "generator/project/Project.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <functional>

namespace tallix::demo {

namespace {

const char* const kAuditTables = R"sql(
CREATE TABLE TallixKeys
(
    KeyID       uniqueidentifier   NOT NULL DEFAULT (newid()),
    SourceTable varchar(64)        NOT NULL,
    KeyValues   varchar(900)       NOT NULL,
    PRIMARY KEY (KeyID)
);
CREATE INDEX IX_TallixKeys ON TallixKeys (KeyValues);
CREATE TABLE Tallix
(
    LogID           uniqueidentifier   NOT NULL DEFAULT (newid()),
    SourceTable     varchar(64)        NOT NULL,
    TransactionType char(1)            NOT NULL,
    TransactionDate datetime           NOT NULL DEFAULT (getdate()),
    Username        varchar(64)        NOT NULL,
    Workstation     varchar(64)        NOT NULL,
    Application     varchar(64)        NOT NULL,
    KeyID           uniqueidentifier   NOT NULL REFERENCES TallixKeys (KeyID),
    Data            text               NOT NULL,
    PRIMARY KEY (LogID)
);
)sql";

// The same in the Unicode layout, for a project with Unicode audit data.
const char* const kUnicodeAuditTables = R"sql(
CREATE TABLE TallixKeys
(
    KeyID       uniqueidentifier   NOT NULL DEFAULT (newid()),
    SourceTable nvarchar(64)       NOT NULL,
    KeyValues   nvarchar(450)      NOT NULL,
    PRIMARY KEY (KeyID)
);
CREATE INDEX IX_TallixKeys ON TallixKeys (KeyValues);
CREATE TABLE Tallix
(
    LogID           uniqueidentifier   NOT NULL DEFAULT (newid()),
    SourceTable     nvarchar(64)       NOT NULL,
    TransactionType char(1)            NOT NULL,
    TransactionDate datetime           NOT NULL DEFAULT (getdate()),
    Username        nvarchar(64)       NOT NULL,
    Workstation     nvarchar(64)       NOT NULL,
    Application     nvarchar(64)       NOT NULL,
    KeyID           uniqueidentifier   NOT NULL REFERENCES TallixKeys (KeyID),
    Data            nvarchar(max)      NOT NULL,
    PRIMARY KEY (LogID)
);
)sql";

QString readText(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(Error::FileNotFound, QStringLiteral("Cannot read %1").arg(path));
    return QString::fromUtf8(f.readAll());
}

QString literal(const QVariant& v)
{
    if (Recordset::isNull(v))
        return QStringLiteral("NULL");
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Int:
    case QMetaType::LongLong:
        return QString::number(v.toLongLong());
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'f', 4);
    default:
        return sqlText(v.toString());
    }
}

// The changes of three weeks, statement by statement, kept in the tables and in the audit.
class Scenario {
public:
    Scenario(Connection& db, const Project& project, const DemoOptions& options)
        : m_db(db)
        , m_project(project)
        , m_audit(db, project.SpecialMTSHandling())
        , m_random(options.seed)
    {
        const QDateTime start = options.end.addDays(-21);
        const qint64 span = start.secsTo(options.end);
        for (int i = 0; i < options.statements - 1; ++i) {
            QDateTime t = start.addSecs(static_cast<qint64>(m_random.bounded(span)));
            // Office hours, mostly on weekdays.
            t.setTime(QTime(8 + t.time().hour() % 10, t.time().minute(), t.time().second(),
                            static_cast<int>(m_random.bounded(1000))));
            if (t.date().dayOfWeek() > 5 && m_random.bounded(4) != 0)
                t = t.addDays(t.date().dayOfWeek() == 6 ? -1 : 1);
            if (t > options.end)
                t = t.addDays(-1); // office hours of the last day that are still to come
            m_times << std::clamp(t, start, options.end);
        }
        m_times << options.end;
        std::sort(m_times.begin(), m_times.end());
    }

    void run()
    {
        for (int n = 0; n < m_times.size(); ++n) {
            m_when = m_times[n];
            step(n);
        }
    }

private:
    // Users, hosts and applications. The web front end passes its user in the application name.
    const Session& session(int kind)
    {
        static const Session sessions[] = {
            {QStringLiteral("sa"), QStringLiteral("DBSERVER01"), QStringLiteral("MS SQLEM")},
            {QStringLiteral("PUBS\\mkline"), QStringLiteral("WKS-EDIT03"),
             QStringLiteral("Microsoft SQL Query Analyzer")},
            {QStringLiteral("PUBS\\lchen"), QStringLiteral("WKS-SALES02"),
             QStringLiteral("PubsOrders")},
            {QStringLiteral("PUBS\\rpatel"), QStringLiteral("LAPTOP-RP"),
             QStringLiteral("PubsOrders")},
            {QStringLiteral("pubsweb"), QStringLiteral("WEB01"),
             QStringLiteral("PubsWeb <<jsmith>>")},
            {QStringLiteral("pubsweb"), QStringLiteral("WEB02"),
             QStringLiteral("PubsWeb <<adupont>>")},
            {QStringLiteral("pubsweb"), QStringLiteral("WEB01"),
             QStringLiteral("PubsWeb <<O'Brien>>")},
        };
        return sessions[kind];
    }
    const Session& sales() { return session(2 + static_cast<int>(m_random.bounded(2))); }
    const Session& web() { return session(4 + static_cast<int>(m_random.bounded(3))); }
    const Session& editor() { return session(m_random.bounded(3) == 0 ? 0 : 1); }

    const CTable& table(const QString& name) const { return *m_project.Tables().GetTable(name); }

    QList<Row> select(const QString& name, const QString& where)
    {
        Recordset rs =
            m_db.OpenRecordset(QStringLiteral("SELECT * FROM ") + name +
                               (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where));
        QList<Row> rows;
        for (rs.MoveFirst(); !rs.atEnd(); rs.MoveNext()) {
            Row row;
            for (int f = 0; f < rs.FieldCount(); ++f)
                row.insert(rs.FieldName(f), rs.Field(f));
            rows << row;
        }
        return rows;
    }

    QString keyCondition(const CTable& t, const Row& row) const
    {
        QStringList terms;
        for (const CColumn& c : t.Columns) {
            if (c.InPrimaryKey)
                terms << c.ColumnName + QStringLiteral(" = ") + literal(row.value(c.ColumnName));
        }
        return terms.join(QStringLiteral(" AND "));
    }

    // char columns hold their values blank-padded, as the server does.
    static void pad(const CTable& t, Row& row)
    {
        for (const CColumn& c : t.Columns) {
            const QVariant v = row.value(c.ColumnName);
            if (c.datatype == QLatin1String("char") && v.typeId() == QMetaType::QString)
                row[c.ColumnName] = v.toString().leftJustified(c.Size, QLatin1Char(' '));
        }
    }

    void update(const QString& name, const QString& where, const std::function<void(Row&)>& change,
                const Session& who)
    {
        const CTable& t = table(name);
        const QList<Row> before = select(name, where);
        if (before.isEmpty())
            return;
        QList<Row> after;
        for (const Row& old : before) {
            Row row = old;
            change(row);
            pad(t, row);
            QStringList sets;
            for (const CColumn& c : t.Columns)
                sets << c.ColumnName + QStringLiteral(" = ") + literal(row.value(c.ColumnName));
            m_db.Execute(QStringLiteral("UPDATE ") + name + QStringLiteral(" SET ") +
                         sets.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ") +
                         keyCondition(t, old));
            after << row;
        }
        m_audit.updated(t, before, after, who, m_when);
    }

    void insert(const QString& name, Row row, const Session& who)
    {
        const CTable& t = table(name);
        pad(t, row);
        QStringList names, values;
        for (const CColumn& c : t.Columns) {
            names << c.ColumnName;
            values << literal(row.value(c.ColumnName));
        }
        m_db.Execute(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(name, names.join(QStringLiteral(", ")), values.join(QStringLiteral(", "))));
        m_audit.inserted(t, {row}, who, m_when);
    }

    void remove(const QString& name, const QString& where, const Session& who)
    {
        const QList<Row> before = select(name, where);
        if (before.isEmpty())
            return;
        m_db.Execute(QStringLiteral("DELETE FROM ") + name + QStringLiteral(" WHERE ") + where);
        m_audit.deleted(table(name), before, who, m_when);
    }

    template <typename T> const T& pick(const QList<T>& items)
    {
        return items[static_cast<qsizetype>(m_random.bounded(static_cast<quint32>(items.size())))];
    }
    int between(int low, int high)
    {
        return low + static_cast<int>(m_random.bounded(high - low + 1));
    }
    QStringList keysOf(const QString& name, const QString& column)
    {
        QStringList keys;
        for (const Row& r : select(name, QString()))
            keys << r.value(column).toString();
        return keys;
    }
    static QString quoted(const QString& text) { return literal(QVariant(text)); }

    void step(int n)
    {
        const int kind = n == 40 || n == 200 ? 100 : static_cast<int>(m_random.bounded(100));
        if (kind < 24) {
            // A new order line from the order entry program or the web shop.
            const QString store = pick(keysOf(QStringLiteral("stores"), QStringLiteral("stor_id")));
            const QString title =
                pick(keysOf(QStringLiteral("titles"), QStringLiteral("title_id")));
            const QStringList terms{QStringLiteral("Net 30"), QStringLiteral("Net 60"),
                                    QStringLiteral("ON invoice")};
            insert(QStringLiteral("sales"),
                   {{QStringLiteral("stor_id"), store},
                    {QStringLiteral("ord_num"), QStringLiteral("ORD%1").arg(5000 + n)},
                    {QStringLiteral("ord_date"),
                     m_when.toString(QStringLiteral("yyyy-MM-dd 00:00:00.000"))},
                    {QStringLiteral("qty"), qint64(between(2, 80))},
                    {QStringLiteral("payterms"), pick(terms)},
                    {QStringLiteral("title_id"), title}},
                   m_random.bounded(2) ? sales() : web());
        } else if (kind < 38) {
            const QList<Row> rows = select(QStringLiteral("sales"), QString());
            const Row& r = pick(rows);
            update(
                QStringLiteral("sales"), keyCondition(table(QStringLiteral("sales")), r),
                [&](Row& row) { row[QStringLiteral("qty")] = qint64(between(1, 120)); }, sales());
        } else if (kind < 45) {
            const QList<Row> rows = select(QStringLiteral("sales"), QString());
            remove(QStringLiteral("sales"),
                   keyCondition(table(QStringLiteral("sales")), pick(rows)), sales());
        } else if (kind < 55) {
            const QString title =
                pick(keysOf(QStringLiteral("titles"), QStringLiteral("title_id")));
            update(
                QStringLiteral("titles"), QStringLiteral("title_id = ") + quoted(title),
                [&](Row& row) {
                    const double price = row.value(QStringLiteral("price")).isNull()
                                             ? 9.99
                                             : row.value(QStringLiteral("price")).toDouble();
                    row[QStringLiteral("price")] =
                        std::max(1.99, std::round((price + between(-3, 4)) * 100) / 100 - 0.01);
                },
                editor());
        } else if (kind < 60) {
            // The nightly sales totals of one publisher: one statement, several rows.
            const QString pub = pick(QStringList{QStringLiteral("'0736'"), QStringLiteral("'0877'"),
                                                 QStringLiteral("'1389'")});
            update(
                QStringLiteral("titles"),
                QStringLiteral("ytd_sales IS NOT NULL AND pub_id = ") + pub,
                [&](Row& row) {
                    row[QStringLiteral("ytd_sales")] =
                        row.value(QStringLiteral("ytd_sales")).toLongLong() + between(0, 40);
                },
                session(0));
        } else if (kind < 64) {
            const QStringList notes{
                QStringLiteral("Reviewer's choice; reprinted with a new foreword."),
                QStringLiteral("Out of print until the author's revised edition ships."),
                QStringLiteral("Includes a <sample> chapter & index."),
            };
            const QString title =
                pick(keysOf(QStringLiteral("titles"), QStringLiteral("title_id")));
            update(
                QStringLiteral("titles"), QStringLiteral("title_id = ") + quoted(title),
                [&](Row& row) { row[QStringLiteral("notes")] = pick(notes); }, editor());
        } else if (kind < 74) {
            const QString author = pick(keysOf(QStringLiteral("authors"), QStringLiteral("au_id")));
            update(
                QStringLiteral("authors"), QStringLiteral("au_id = ") + quoted(author),
                [&](Row& row) {
                    if (m_random.bounded(2))
                        row[QStringLiteral("phone")] = QStringLiteral("415 %1-%2")
                                                           .arg(between(200, 999))
                                                           .arg(between(1000, 9999));
                    else
                        row[QStringLiteral("address")] =
                            QStringLiteral("%1 Market St.").arg(between(10, 999));
                },
                web());
        } else if (kind < 79) {
            // A new author with a title, and sometimes one taken out again.
            const QString id = QStringLiteral("9%1-%2-%3")
                                   .arg(between(10, 99))
                                   .arg(between(10, 99))
                                   .arg(between(1000, 9999));
            const Session& who = editor();
            insert(QStringLiteral("authors"),
                   {{QStringLiteral("au_id"), id},
                    {QStringLiteral("au_lname"),
                     pick(QStringList{QStringLiteral("Novak"), QStringLiteral("D'Souza"),
                                      QStringLiteral("Lindqvist")})},
                    {QStringLiteral("au_fname"),
                     pick(QStringList{QStringLiteral("Eva"), QStringLiteral("Ravi"),
                                      QStringLiteral("Tom")})},
                    {QStringLiteral("phone"), QStringLiteral("510 555-0%1").arg(between(100, 199))},
                    {QStringLiteral("address"), QVariant()},
                    {QStringLiteral("city"), QStringLiteral("Oakland")},
                    {QStringLiteral("state"), QStringLiteral("CA")},
                    {QStringLiteral("zip"), QStringLiteral("94609")},
                    {QStringLiteral("contract"), false}},
                   who);
            insert(QStringLiteral("titleauthor"),
                   {{QStringLiteral("au_id"), id},
                    {QStringLiteral("title_id"),
                     pick(keysOf(QStringLiteral("titles"), QStringLiteral("title_id")))},
                    {QStringLiteral("au_ord"), qint64(1)},
                    {QStringLiteral("royaltyper"), qint64(100)}},
                   who);
            if (m_random.bounded(3) == 0) {
                remove(QStringLiteral("titleauthor"), QStringLiteral("au_id = ") + quoted(id), who);
                remove(QStringLiteral("authors"), QStringLiteral("au_id = ") + quoted(id), who);
            }
        } else if (kind < 84) {
            const QString store = pick(keysOf(QStringLiteral("stores"), QStringLiteral("stor_id")));
            update(
                QStringLiteral("stores"), QStringLiteral("stor_id = ") + quoted(store),
                [&](Row& row) {
                    row[QStringLiteral("stor_address")] =
                        QStringLiteral("%1 Harbor Blvd.").arg(between(100, 999));
                },
                session(2));
        } else if (kind < 90) {
            const QString emp = pick(keysOf(QStringLiteral("employee"), QStringLiteral("emp_id")));
            update(
                QStringLiteral("employee"), QStringLiteral("emp_id = ") + quoted(emp),
                [&](Row& row) {
                    row[QStringLiteral("job_lvl")] =
                        row.value(QStringLiteral("job_lvl")).toLongLong() + between(1, 10);
                },
                session(0));
        } else if (kind < 93) {
            update(
                QStringLiteral("jobs"), QStringLiteral("job_id = %1").arg(between(2, 14)),
                [&](Row& row) {
                    row[QStringLiteral("max_lvl")] =
                        row.value(QStringLiteral("max_lvl")).toLongLong() + 5;
                },
                session(1));
        } else if (kind < 95) {
            update(
                QStringLiteral("publishers"),
                QStringLiteral("pub_id = ") +
                    quoted(pick(keysOf(QStringLiteral("publishers"), QStringLiteral("pub_id")))),
                [&](Row& row) {
                    row[QStringLiteral("pub_name")] =
                        row.value(QStringLiteral("pub_name"))
                            .toString()
                            .remove(QStringLiteral(" (Imprint)")) +
                        (m_random.bounded(2) ? QStringLiteral(" (Imprint)") : QString());
                },
                session(1));
        } else if (kind < 97) {
            // The price list of one publisher, raised in one statement.
            update(
                QStringLiteral("titles"), QStringLiteral("pub_id = '0736'"),
                [&](Row& row) {
                    if (!row.value(QStringLiteral("price")).isNull())
                        row[QStringLiteral("price")] =
                            std::round(row.value(QStringLiteral("price")).toDouble() * 105) / 100;
                },
                session(0));
        } else if (kind < 100) {
            const QList<Row> rows =
                select(QStringLiteral("employee"), QStringLiteral("job_lvl < 90"));
            if (!rows.isEmpty())
                remove(QStringLiteral("employee"),
                       QStringLiteral("emp_id = ") +
                           quoted(pick(rows).value(QStringLiteral("emp_id")).toString()),
                       session(0));
        } else {
            // A corrected author id: the update trigger records the new key as an insert and
            // the old key as a delete.
            const QString author =
                n == 40 ? QStringLiteral("893-72-1158") : QStringLiteral("724-08-9931");
            update(
                QStringLiteral("authors"), QStringLiteral("au_id = ") + quoted(author),
                [&](Row& row) {
                    row[QStringLiteral("au_id")] = author.left(7) + QStringLiteral("2222");
                },
                session(1));
        }
    }

    Connection& m_db;
    const Project& m_project;
    AuditRecorder m_audit;
    QRandomGenerator m_random;
    QList<QDateTime> m_times;
    QDateTime m_when;
};

} // namespace

int buildDemo(const DemoOptions& options)
{
    if (!QDir().mkpath(options.folder))
        throw Error(Error::FileNotFound, QStringLiteral("Cannot create %1").arg(options.folder));
    const QString file = QDir(options.folder).filePath(QStringLiteral("pubs.db"));
    QFile::remove(file);
    {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly))
            throw Error(Error::FileNotFound, QStringLiteral("Cannot create %1").arg(file));
    }
    Project project;
    project.Load(readText(options.projectFile));
    if (project.Tables().Count() == 0)
        throw Error(Error::InvalidArgument,
                    QStringLiteral("The project %1 lists no table.").arg(options.projectFile));

    Connection db(
        BuildConnectionString(options.folder, QStringLiteral("pubs"), QString(), QString()));
    db.Open();
    db.Execute(QStringLiteral("BEGIN"));
    db.Execute(readText(options.pubsScript));
    db.Execute(
        QString::fromLatin1(project.UnicodeAuditData() ? kUnicodeAuditTables : kAuditTables));
    Scenario scenario(db, project, options);
    scenario.run();
    db.Execute(QStringLiteral("COMMIT"));
    const int rows =
        db.OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM Tallix")).Field(0).toInt();
    db.Close();
    return rows;
}

bool registerDemoServer(const QString& folder)
{
    Servers servers;
    servers.LoadFromRegistry();
    if (servers.Count() > 0)
        return false;
    const QString path = QDir(folder).absolutePath();
    servers.Add(path, QString(), QString(), QStringLiteral("pubs"), true, path);
    servers.SaveToRegistry();
    return true;
}

} // namespace tallix::demo
