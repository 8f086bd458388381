#pragma once
#include <ctime>

// The local wall-clock time that names log files; tests set it by hand.
class ILocalClock {
public:
    virtual ~ILocalClock() = default;
    virtual std::tm LocalTime() const = 0;
};

class CSystemLocalClock : public ILocalClock {
public:
    std::tm LocalTime() const override;
};
