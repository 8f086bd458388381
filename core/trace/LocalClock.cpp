#include "trace/LocalClock.h"

std::tm CSystemLocalClock::LocalTime() const
{
    // Only the user-interface thread asks, so localtime's shared result is safe.
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    return local ? *local : std::tm{};
}
