#include "viewer/cli/RestoreCommands.h"

#include "common/base/Error.h"
#include "common/db/Connection.h"
#include "viewer/cli/CommandLine.h"
#include "viewer/cli/Csv.h"
#include "viewer/details/DetailsLoader.h"
#include "viewer/query/SchemaCache.h"
#include "viewer/restore/RestoreScriptFile.h"
#include "viewer/restore/RestoreText.h"

namespace tallix::cli {

namespace {

// The schema cache and one audit row's details, read as the window reads them; an audit row that
// cannot be read is an error here, where the window would show nothing.
class DetailsSession {
public:
    explicit DetailsSession(const Invocation& call)
        : m_call(call)
        , m_connection(call.connectionString())
    {
        m_connection.Open();
        m_cache = SchemaCache::fromColumnsRowset(m_connection.OpenSchema(SchemaKind::Columns));
    }

    DetailsResult load(const QString& logId, bool showCurrent)
    {
        DetailsResult d =
            DetailsLoader::load(m_connection, m_cache, logId,
                                {m_call.parser().isSet(QStringLiteral("all-fields")), showCurrent});
        if (!d.record)
            throw Error(Error::InvalidArgument, d.errors.constFirst());
        return d;
    }

    QString restoreText(const QString& logId)
    {
        const DetailsResult d = load(logId, false);
        return RestoreText(m_connection, m_cache, d);
    }

private:
    const Invocation& m_call;
    Connection m_connection;
    SchemaCache m_cache;
};

} // namespace

int runDetails(const Invocation& call)
{
    DetailsSession session(call);
    const DetailsResult d = session.load(call.parser().value(QStringLiteral("details")),
                                         call.parser().isSet(QStringLiteral("current")));
    call.out() << csvRecord({QStringLiteral("Field"), QStringLiteral("Before Value"),
                             QStringLiteral("After Value"), QStringLiteral("Current Value")});
    for (const DetailRow& row : d.rows)
        call.out() << csvRecord({row.field, row.before, row.after, row.current});
    return 0;
}

int runRestore(const Invocation& call)
{
    DetailsSession session(call);
    call.out() << session.restoreText(call.parser().value(QStringLiteral("restore")));
    return 0;
}

int runRestoreScript(const Invocation& call)
{
    const QStringList logIds = call.parser().positionalArguments();
    if (logIds.isEmpty())
        throw UsageError{QStringLiteral("--restore-script needs at least one LogID.")};
    DetailsSession session(call);
    RestoreScriptFile script;
    for (const QString& logId : logIds)
        script.append(session.restoreText(logId));
    const QString file = call.parser().value(QStringLiteral("restore-script"));
    QString error;
    if (!script.writeTo(file, &error))
        throw Error(Error::FileNotFound, QStringLiteral("Cannot write %1: %2").arg(file, error));
    call.out() << file << '\n';
    return 0;
}

} // namespace tallix::cli
