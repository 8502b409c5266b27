#pragma once

#include <QString>

namespace tallix {

// What the script driver tells the window while it works: the status grid, the
// progress bar and the moments at which pending window events may run. Batch
// mode and tests run the driver without any window.
class IScriptObserver {
public:
    virtual ~IScriptObserver() = default;

    // Empties the status grid down to its header row.
    virtual void ResetStatus() {}
    // Table name, action letter ("I", "U" or "D"), status text, line count so far.
    virtual void UpdateStatus(const QString& Table, const QString& Trigger, const QString& status,
                              int Lines)
    {
        Q_UNUSED(Table);
        Q_UNUSED(Trigger);
        Q_UNUSED(status);
        Q_UNUSED(Lines);
    }
    virtual void ShowProgress(int value) { Q_UNUSED(value); }
    virtual void SetProgress(int value) { Q_UNUSED(value); }
    virtual void HideProgress() {}
    virtual void ProcessEvents() {}
};

} // namespace tallix
