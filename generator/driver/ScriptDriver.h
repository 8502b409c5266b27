#pragma once

#include "generator/driver/IScriptObserver.h"

#include <QDateTime>
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

    // The complete audit script, or an empty text after a failure, which has then
    // been reported as "Error (GenerateScript) - " and its description. A trigger
    // that could not be built fails the whole run, so no script silently lacks one.
    QString GenerateScript(const Project& project);

    // The removal script, or an empty text after a reported failure.
    QString GenerateRemoveScript(const Project& project);

    // The number of CR LF pairs in a text.
    static int LineCount(const QString& text);

    // Written in place of a trigger for a table without primary key.
    static QString NoPrimaryKeyBlock(const QString& tableName);

    struct Action;

private:
    // Runs `build`; a failure is reported under `routine` and gives an empty text.
    QString guarded(const QString& routine, const std::function<QString()>& build);
    QString buildScript(const Project& project);
    QString buildRemoveScript(const Project& project);
    void appendAction(QString& script, const CTable& table, const Project& project,
                      const Action& action, int& count);
    void reportProgress(int done, int total);
    QString scriptStart(const Project& project);

    IScriptObserver& m_observer;
    Clock m_clock;
    QDateTime m_generated;
};

} // namespace tallix
