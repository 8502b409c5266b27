#pragma once

namespace tallix {

// Shows the busy pointer for its lifetime, over every window of the program. Guards nest: the
// normal pointer returns when the outermost one ends, also when an exception leaves the scope.
class HourglassCursor {
public:
    HourglassCursor();
    ~HourglassCursor();
    HourglassCursor(const HourglassCursor&) = delete;
    HourglassCursor& operator=(const HourglassCursor&) = delete;
};

} // namespace tallix
