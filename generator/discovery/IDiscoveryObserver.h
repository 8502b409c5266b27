#pragma once

#include <QString>

namespace tallix {

// What schema discovery tells the window while it reads: the progress bar, the moments at which
// pending window events may run, and each table that cannot be audited, as it is found. Tests and
// tools run discovery without any window.
class IDiscoveryObserver {
public:
    virtual ~IDiscoveryObserver() = default;

    // A table that is listed but cannot be audited, and why ("... this table can not be
    // audited!"); the table is marked LargeKey either way.
    virtual void Warning(const QString& text) { static_cast<void>(text); }

    virtual void ShowProgress(int value) { static_cast<void>(value); }
    virtual void SetProgress(int value) { static_cast<void>(value); }
    virtual void HideProgress() {}
    virtual void ProcessEvents() {}
};

} // namespace tallix
