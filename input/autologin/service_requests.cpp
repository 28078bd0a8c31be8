#include "autologin/service_requests.h"

#include <algorithm>

#include "web/text_lines.h"

namespace zelko {

namespace {

std::string joined(std::string_view first, std::string_view second, std::string_view third) {
    std::string text;
    text.reserve(first.size() + second.size() + third.size());
    text.append(first).append(second).append(third);
    return text;
}

// Length of "scheme:" when the reference starts with a scheme, else 0.
std::size_t schemeLength(std::string_view reference) {
    auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (reference.empty() || !isLetter(reference[0])) {
        return 0;
    }
    for (std::size_t at = 1; at < reference.size(); ++at) {
        const char c = reference[at];
        if (c == ':') {
            return at + 1;
        }
        if (!isLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') {
            return 0;
        }
    }
    return 0;
}

}  // namespace

std::string fromZelkoAddress(std::string_view origin, std::string_view penId,
                             std::string_view barcode) {
    return joined(origin, "/command/fromzelko.php?penid=", urlEncodeForm(penId)) +
           "&barcode=" + urlEncodeForm(barcode);
}

std::string checkEnableAddress(std::string_view base, std::string_view siteAddress) {
    return joined(base, "checkenable.php?hp=", urlEncodeForm(siteAddress));
}

std::string registrationAddress(std::string_view base, const LoginRecord& record,
                                std::string_view siteAddress) {
    std::string address = joined(base, "regonetime.php?uid=", std::to_string(record.uid));
    for (const LoginField& field : record.fields) {
        if (field.fieldType == FieldHidden) {
            continue;
        }
        const std::string_view value =
            field.fieldType == FieldNext ? siteAddress : std::string_view(field.fieldValue);
        address.append("&").append(field.fieldName).append("=").append(urlEncodeForm(value));
    }
    return address;
}

std::string checkDownloadedAddress(std::string_view base, std::string_view oid) {
    return joined(base, "checkdownloaded.php?oid=", urlEncodeForm(oid));
}

std::string preparationPageAddress(std::string_view base, std::string_view oid) {
    return joined(base, "loadandup.php?oid=", urlEncodeForm(oid));
}

std::string loginPageAddress(std::string_view base, std::string_view oid) {
    return joined(base, "autologin.php?oid=", urlEncodeForm(oid));
}

std::string redirectTarget(std::string_view current, std::string_view location) {
    if (location.empty() || schemeLength(location) > 0) {
        return std::string(location);
    }
    const std::size_t scheme = schemeLength(current);
    if (location.substr(0, 2) == "//") {
        return joined(current.substr(0, scheme), location, "");
    }
    // The authority of `current` ends at the first "/", "?" or "#" after "scheme://".
    const std::size_t authorityStart = current.substr(scheme, 2) == "//" ? scheme + 2 : scheme;
    const std::size_t pathStart =
        std::min(current.find_first_of("/?#", authorityStart), current.size());
    if (location[0] == '/') {
        return joined(current.substr(0, pathStart), location, "");
    }
    const std::string_view path =
        current.substr(0, std::min(current.find_first_of("?#", pathStart), current.size()));
    const std::size_t lastSlash = path.rfind('/');
    if (lastSlash == std::string_view::npos || lastSlash < pathStart) {
        return joined(path, "/", location);
    }
    return joined(path.substr(0, lastSlash + 1), location, "");
}

const std::string* serviceOriginIn(std::string_view address,
                                   const std::vector<std::string>& origins) {
    for (const std::string& origin : origins) {
        if (!origin.empty() && address.find(origin) != std::string_view::npos) {
            return &origin;
        }
    }
    return nullptr;
}

}  // namespace zelko
