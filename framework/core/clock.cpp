#include "clock.h"

#include <chrono>


namespace quorvel {
namespace {
std::function<uint32_t()>& ClockOverride()
{
    static std::function<uint32_t()> clock;
    return clock;
}
}  // namespace

uint32_t NowMilliseconds()
{
    if (ClockOverride())
        return ClockOverride()();
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SetClockForTesting(std::function<uint32_t()> clock)
{
    ClockOverride() = std::move(clock);
}

ManualClock::ManualClock(uint32_t start) : m_now(start)
{
    SetClockForTesting([this] { return m_now; });
}

ManualClock::~ManualClock()
{
    SetClockForTesting({});
}

}  // namespace quorvel
