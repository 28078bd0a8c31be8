#include "about/versions.h"

#include <cstdio>

namespace zelko {

std::string penVersionText(bool penPresent, std::uint16_t penVersion) {
    if (!penPresent) {
        return "----";
    }
    char text[16];
    std::snprintf(text, sizeof text, "%d.%02d", penVersion >> 8, penVersion & 0xFF);
    return text;
}

std::string middlewareVersionText(unsigned number) {
    char text[32];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", number / 1000, (number % 1000) / 100,
                  (number % 100) / 10, number % 10);
    return text;
}

UpdateVerdict judgeUpdateVersion(unsigned number) {
    if (number == 0) {
        return UpdateVerdict::ConnectionFailed;
    }
    return number >= kFirstNewerMiddlewareVersion ? UpdateVerdict::NewerVersion
                                                  : UpdateVerdict::UpToDate;
}

std::u16string updateQuestion(unsigned number) {
    const std::string version = middlewareVersionText(number);
    std::u16string question = u"最新のミドルウェア ";
    question.append(version.begin(), version.end());  // digits and dots: ASCII
    question += u"が公開されています。\nアップデートしますか？";
    return question;
}

}  // namespace zelko
