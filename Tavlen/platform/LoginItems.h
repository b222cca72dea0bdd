#pragma once

namespace tavlen {

// Whether Tavlen starts by itself when the user logs in.
class LoginItems {
public:
    virtual ~LoginItems() = default;

    // True when Tavlen is set to start at login.
    virtual bool isEnabled() const = 0;
    // Sets Tavlen to start at login, or stops it from doing so. False when that could not be
    // done; the earlier state is then left as it was.
    virtual bool setEnabled(bool enabled) = 0;
};

} // namespace tavlen
