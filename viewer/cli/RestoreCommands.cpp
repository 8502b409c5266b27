#include "viewer/cli/RestoreCommands.h"

#include "common/base/Error.h"
#include "common/db/Connection.h"
#include "common/script/ScriptFile.h"
#include "viewer/cli/CommandLine.h"
#include "viewer/cli/Csv.h"
#include "viewer/details/DetailText.h"
#include "viewer/details/DetailsLoader.h"
#include "viewer/query/SchemaCache.h"
#include "viewer/restore/RestoreScriptBuilder.h"

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

    bool allFields() const { return m_call.parser().isSet(QStringLiteral("all-fields")); }

    DetailsResult load(const QString& logId, bool showCurrent)
    {
        DetailsResult d =
            DetailsLoader::load(m_connection, m_cache, logId, {allFields(), showCurrent});
        if (!d.record)
            throw Error(Error::InvalidArgument, d.errors.constFirst());
        return d;
    }

    // The restore text of one audit row; a row that cannot be restored is an error that names
    // the row and says why.
    QString restoreText(const QString& logId)
    {
        const RowRestore row = RestoreRow(m_connection, m_cache, logId, allFields());
        warn(row.warning);
        if (!row.build.ok())
            throw refusal(row);
        return row.build.text;
    }

    // The script of several rows; one row that cannot be restored is an error, as above.
    RestoreScriptFile restoreScript(const QStringList& logIds)
    {
        const RestoreScriptBuild build =
            BuildRestoreScript(m_connection, m_cache, logIds, allFields());
        for (const QString& warning : build.warnings)
            warn(warning);
        if (!build.refused.isEmpty())
            throw refusal(build.refused.constFirst());
        return build.script;
    }

private:
    static Error refusal(const RowRestore& row)
    {
        if (!row.wasRead())
            return Error(Error::InvalidArgument, row.readError);
        return Error(Error::InvalidArgument,
                     QStringLiteral("The audit row %1 can not be restored: %2")
                         .arg(row.logId, row.build.refusal));
    }

    // A check that failed without stopping the text, beside the plain output.
    void warn(const QString& text) const
    {
        if (text.isEmpty())
            return;
        m_call.out().flush();
        m_call.err() << "tallixview: warning: " << text << '\n';
        m_call.err().flush();
    }

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
    // Standard output stays plain CSV; the note that it is not all goes beside it.
    if (!d.incomplete.isEmpty()) {
        call.out().flush();
        call.err() << "tallixview: warning: " << IncompleteDetailsText(d.incomplete) << '\n';
        call.err().flush();
    }
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
    // Every row is built before anything is written: one row that cannot be restored writes no
    // script at all.
    const RestoreScriptFile script = session.restoreScript(logIds);
    const QString file = call.parser().value(QStringLiteral("restore-script"));
    call.out().flush();
    QString error;
    if (!script.writeTo(file, &error))
        throw Error(Error::FileNotFound, QStringLiteral("The restore script could not be written "
                                                        "to %1: %2")
                                             .arg(ScriptFile::displayName(file), error));
    if (file != QLatin1String("-"))
        call.out() << file << '\n';
    return 0;
}

} // namespace tallix::cli
