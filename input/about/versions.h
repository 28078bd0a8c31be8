#pragma once
// The version numbers of the about dialog and the update check: the pen's firmware version, this
// program's middleware version, and the rule that decides whether the server offers a newer one.

#include <cstdint>
#include <string>

namespace zelko {

// A middleware version number holds the four parts of a version a.b.c.d in its last four decimal
// digits: number = a x 1000 + b x 100 + c x 10 + d. This program is 0.0.3.9.
inline constexpr unsigned kThisMiddlewareVersion = 39;
// The update check offers the server's version from this number on.
inline constexpr unsigned kFirstNewerMiddlewareVersion = 40;

// The pen's firmware version as "%d.%02d" of its high and low byte (0x0102 is "1.02"), or "----"
// when no pen is present.
std::string penVersionText(bool penPresent, std::uint16_t penVersion);

// A middleware version number as "a.b.c.d": 39 is "0.0.3.9", 12345 is "12.3.4.5".
std::string middlewareVersionText(unsigned number);

// What the update check tells the user about the number the server gave.
enum class UpdateVerdict {
    ConnectionFailed,  // 0: no usable answer
    UpToDate,          // below kFirstNewerMiddlewareVersion
    NewerVersion,      // offer the update
};

UpdateVerdict judgeUpdateVersion(unsigned number);

// The question that offers version `number`: "最新のミドルウェア a.b.c.dが公開されています。",
// a line break and "アップデートしますか？".
std::u16string updateQuestion(unsigned number);

}  // namespace zelko
