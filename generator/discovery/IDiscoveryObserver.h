#pragma once

namespace tallix {

// What schema discovery tells the window while it reads: the progress bar and the moments at
// which pending window events may run. Tests and tools run discovery without any window.
class IDiscoveryObserver {
public:
    virtual ~IDiscoveryObserver() = default;

    virtual void ShowProgress(int value) { static_cast<void>(value); }
    virtual void SetProgress(int value) { static_cast<void>(value); }
    virtual void HideProgress() {}
    virtual void ProcessEvents() {}
};

} // namespace tallix
