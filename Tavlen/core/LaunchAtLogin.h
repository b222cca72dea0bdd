#pragma once

namespace tavlen {

class LoginItems;

// Brings the login item in line with the user's "launch at login" choice. The item is only
// touched when it differs from the choice, and a failure is not reported: the choice stays
// stored and is applied again on the next change.
void applyLaunchAtLogin(bool enabled, LoginItems& loginItems);

} // namespace tavlen
