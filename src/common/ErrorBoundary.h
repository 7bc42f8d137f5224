#pragma once
#include <functional>

inline namespace zz {

// Runs an event handler behind the one error boundary of the application: a failure that the
// handler does not deal with itself ends the handler and is shown in the application error
// box; the application goes on. Returns true when the handler completed.
bool RunGuarded(const std::function<void()>& handler);

} // namespace zz
