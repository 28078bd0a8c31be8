#pragma once
// The clock of every test log: QueryPerformanceCounter in microseconds, one clock for all the
// processes of the machine, so that times written by different programs can be subtracted.

#include <windows.h>

namespace zelko::testclock {

inline long long nowMicroseconds() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<long long>(counter.QuadPart / frequency.QuadPart * 1000000 +
                                  counter.QuadPart % frequency.QuadPart * 1000000 /
                                      frequency.QuadPart);
}

}  // namespace zelko::testclock
