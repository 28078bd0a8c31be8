#pragma once
// Time-out rules of the reader on the 32-bit millisecond tick count. A tick count below the time
// noted (the count wrapped after 49.7 days) counts as expired, so a wait never outlives a wrap.

#include <cstdint>

namespace zelko {

constexpr std::uint32_t kKeepAliveSilenceMs = 3000;  // silence before a keep-alive
constexpr std::uint32_t kWriteAttemptMs = 50;        // one attempt to write an output report
constexpr int kWriteAttempts = 5;
constexpr std::uint32_t kRoundPauseMs = 50;  // between the reader's rounds while a pen is present
// Between the rounds while no pen is present: a pen that arrives is looked for at once when the
// system tells of a new HID interface; this slower round finds it should that notice not come.
constexpr std::uint32_t kNoPenRoundPauseMs = 2000;
// Longest wait between two handover tests while a read is pending; the rule is that another
// process's handover is noticed within 50 ms.
constexpr std::uint32_t kHandoverTestMs = 45;

inline bool timeExpired(std::uint32_t noted, std::uint32_t now, std::uint32_t limit) {
    return now < noted || now - noted >= limit;
}

// Milliseconds left until `timeExpired` holds (0 when it already does).
inline std::uint32_t timeRemaining(std::uint32_t noted, std::uint32_t now, std::uint32_t limit) {
    return timeExpired(noted, now, limit) ? 0 : limit - (now - noted);
}

}  // namespace zelko
