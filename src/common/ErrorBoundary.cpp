#include "common/ErrorBoundary.h"

#include "common/MessageSink.h"

#include <exception>

inline namespace zz {

bool RunGuarded(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        Messages().ApplicationError(e.what());
    } catch (...) {
        Messages().ApplicationError("Unexpected failure");
    }
    return false;
}

} // namespace zz
