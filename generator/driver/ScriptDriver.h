#pragma once

#include "common/script/IScriptSink.h"
#include "generator/driver/IScriptObserver.h"

#include <QDateTime>
#include <QStringList>
#include <functional>

namespace tallix {

class CTable;
class Project;

// Assembles the audit script of a project and the script that removes it again,
// reporting each table to an observer. One generation time is taken per run and
// shown in every header and banner of that script.
class ScriptDriver {
public:
    using Clock = std::function<QDateTime()>;

    explicit ScriptDriver(IScriptObserver& observer, Clock clock = &QDateTime::currentDateTime);

    // The complete audit script, or an empty text after a failure, which Failures()
    // then ends with: "Error (GenerateScript) - " and its description. A trigger
    // that could not be built fails the whole run, so no script silently lacks one;
    // so do two audited tables whose triggers would have the same names, and a
    // database name that is empty or holds a control character.
    QString GenerateScript(const Project& project);
    // The same, handed to `sink` piece by piece. False after a failure, when what
    // the sink took must be thrown away. A ScriptSinkError from the sink ends the
    // run and is passed on, not put in Failures().
    bool GenerateScript(const Project& project, IScriptSink& sink);

    // The removal script, or an empty text after a failure
    // ("Error (GenerateRemoveScript) - ").
    QString GenerateRemoveScript(const Project& project);
    bool GenerateRemoveScript(const Project& project, IScriptSink& sink);

    // What the last run could not do, in the order it happened, as the user is
    // told it: a template's own failure ("Error (GenerateUpdate) - ...") comes
    // before the run's. Empty after a run that did not fail.
    const QStringList& Failures() const { return m_failures; }

    // The number of CR LF pairs in a text.
    static int LineCount(const QString& text);

    // Written in place of a trigger for a table without primary key.
    static QString NoPrimaryKeyBlock(const QString& tableName);
    // Written in place of a trigger for a table whose name does not fit SourceTable.
    static QString LongNameBlock(const QString& tableName);
    // Written in place of a trigger, with Unicode audit data, for a table whose key-values text
    // could be longer than the 450 characters of TallixKeys.KeyValues (HasLongKey).
    static QString LongKeyBlock(const QString& tableName);
    // Written in place of a trigger, or of the removal script's drop block, for a
    // table whose name or column name holds a line break or other control character.
    static QString ControlCharacterBlock(const QString& tableName);

    struct Action;

private:
    // Runs `build`; a failure is put in Failures() under `routine` and gives false.
    bool guarded(const QString& routine, const std::function<void()>& build);
    void noteFailure(const QString& failure);
    void buildScript(const Project& project, IScriptSink& sink);
    void buildRemoveScript(const Project& project, IScriptSink& sink);
    void appendAction(IScriptSink& sink, const CTable& table, const Project& project,
                      const Action& action, int& count);
    void reportProgress(int done, int total);
    void scriptStart(const Project& project, IScriptSink& sink);

    IScriptObserver& m_observer;
    Clock m_clock;
    QDateTime m_generated;
    QStringList m_failures;
};

} // namespace tallix
