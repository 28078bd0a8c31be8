#pragma once
// Bounded polling: tests wait for conditions, never for fixed times alone.

#include <windows.h>

#include <chrono>

namespace zelko::test {

using namespace std::chrono_literals;

template <class Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval = 10ms) {
    const ULONGLONG deadline = GetTickCount64() + timeout.count();
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return condition();
        }
        Sleep(static_cast<DWORD>(interval.count()));
    }
}

}  // namespace zelko::test
