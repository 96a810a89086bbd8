#include "Clock.h"

#include <chrono>

namespace {

class MonotonicClock final : public Clock {
public:
    std::int64_t tickCountMs() const override
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

}  // namespace

Clock& systemClock()
{
    static MonotonicClock clock;
    return clock;
}
