// The process's millisecond clock, replaceable so that tests advance time themselves.
#pragma once

#include <cstdint>
#include <functional>

namespace quorvel {

// Milliseconds since an arbitrary start, wrapping at 2^32.
uint32_t NowMilliseconds();

// Replaces the clock (an empty function restores the monotonic system clock).
void SetClockForTesting(std::function<uint32_t()> clock);

// A clock that only moves when told to.
class ManualClock {
public:
    explicit ManualClock(uint32_t start = 0);
    ~ManualClock();
    void Advance(uint32_t ms) { m_now += ms; }
    void Set(uint32_t now) { m_now = now; }
    uint32_t Now() const { return m_now; }

private:
    uint32_t m_now;
};

}  // namespace quorvel
