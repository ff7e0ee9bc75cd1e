#pragma once
// The clean-up of a scope guard (controls off, a row kept, a restore
// bracketed). Clean-up can fail: showing rows again re-opens the detail lists,
// which may meet a server error. While an exception is already leaving the
// scope, that first failure goes on to the caller and the clean-up's own is
// dropped (two at once would end the program); otherwise the clean-up's
// failure reaches the caller as any other.
#include <exception>

namespace Db {

template <typename CleanUp>
void RunCleanUp(int exceptionsAtStart, CleanUp cleanUp)
{
    if (std::uncaught_exceptions() > exceptionsAtStart) {
        try {
            cleanUp();
        } catch (...) {
            // the exception already leaving the scope is the one reported
        }
        return;
    }
    cleanUp();
}

} // namespace Db
