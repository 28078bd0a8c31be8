#include "install/dialogs/windows_path.h"

#include <vector>

namespace zelko {

namespace {

bool isSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

bool isDriveLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool hasDrive(std::u16string_view path) {
    return path.size() >= 2 && isDriveLetter(path[0]) && path[1] == u':';
}

bool sameDrive(char16_t a, char16_t b) {
    return (a | 0x20) == (b | 0x20);
}

// A path split into its root ("C:" or "\\server\share") and the segments below it.
struct RootedPath {
    std::u16string root;
    std::vector<std::u16string> segments;

    std::u16string text() const {
        std::u16string path = root;
        for (const auto& segment : segments) {
            path += u'\\';
            path += segment;
        }
        if (segments.empty()) {
            path += u'\\';
        }
        return path;
    }

    // Adds the segments of `rest` (which is relative to this path). False for an inner segment
    // made only of dots and spaces (other than "." and ".."): "..." losing its trailing dot would
    // stand in the result as a ".." that the platform reads as the folder above, and no folder
    // of such a name can be made (the platform drops trailing dots and spaces of a new name).
    bool append(std::u16string_view rest) {
        size_t start = 0;
        while (start < rest.size()) {
            size_t end = start;
            while (end < rest.size() && !isSeparator(rest[end])) {
                ++end;
            }
            std::u16string segment(rest.substr(start, end - start));
            bool last = end == rest.size();
            start = end + 1;
            if (segment.empty() || segment == u".") {
                continue;
            }
            if (segment == u"..") {
                if (!segments.empty()) {
                    segments.pop_back();
                }
                continue;
            }
            if (last) {
                size_t kept = segment.find_last_not_of(u" .");
                segment.erase(kept == std::u16string::npos ? 0 : kept + 1);
            } else if (segment.find_first_not_of(u". ") == std::u16string::npos) {
                return false;
            } else if (segment.back() == u'.') {
                segment.pop_back();
            }
            if (!segment.empty()) {
                segments.push_back(std::move(segment));
            }
        }
        return true;
    }
};

// Where the root of a network path ends, or 0 when the path is none: "\\server\share".
size_t shareRootLength(std::u16string_view path) {
    if (path.size() < 3 || !isSeparator(path[0]) || !isSeparator(path[1]) || isSeparator(path[2])) {
        return 0;
    }
    if ((path[2] == u'?' || path[2] == u'.') && (path.size() == 3 || isSeparator(path[3]))) {
        return 0;  // a device path
    }
    size_t serverEnd = 2;
    while (serverEnd < path.size() && !isSeparator(path[serverEnd])) {
        ++serverEnd;
    }
    size_t shareEnd = serverEnd + 1;
    while (shareEnd < path.size() && !isSeparator(path[shareEnd])) {
        ++shareEnd;
    }
    return shareEnd > serverEnd + 1 && shareEnd <= path.size() ? shareEnd : 0;
}

std::u16string normalisedRoot(std::u16string_view root) {
    std::u16string text(root);
    for (auto& c : text) {
        if (c == u'/') {
            c = u'\\';
        }
    }
    return text;
}

// An absolute path (drive followed by a backslash, or a network share) as root and segments.
std::optional<RootedPath> readAbsolute(std::u16string_view path) {
    size_t root = rootLength(path);
    if (root == 0 || (root == 2 && path.size() > 2 && !isSeparator(path[2]))) {
        return std::nullopt;
    }
    RootedPath rooted{normalisedRoot(path.substr(0, root)), {}};
    if (!rooted.append(path.substr(root))) {
        return std::nullopt;
    }
    return rooted;
}

}  // namespace

size_t rootLength(std::u16string_view absolutePath) {
    if (hasDrive(absolutePath)) {
        return 2;
    }
    return shareRootLength(absolutePath);
}

std::optional<std::u16string> fullPath(std::u16string_view text,
                                       std::u16string_view currentFolder) {
    if (text.empty()) {
        return std::nullopt;
    }
    if (hasDrive(text) || (isSeparator(text[0]) && text.size() > 1 && isSeparator(text[1]))) {
        if (hasDrive(text) && (text.size() == 2 || !isSeparator(text[2]))) {
            // "C:name": relative to the current folder when that is on the same drive.
            auto current = readAbsolute(currentFolder);
            RootedPath base =
                current && hasDrive(current->root) && sameDrive(current->root[0], text[0])
                    ? *current
                    : RootedPath{std::u16string(text.substr(0, 2)), {}};
            if (!base.append(text.substr(2))) {
                return std::nullopt;
            }
            return base.text();
        }
        auto absolute = readAbsolute(text);
        if (!absolute) {
            return std::nullopt;
        }
        return absolute->text();
    }
    auto current = readAbsolute(currentFolder);
    if (!current) {
        return std::nullopt;
    }
    if (isSeparator(text[0])) {
        current->segments.clear();  // "\name": from the current folder's root
    }
    if (!current->append(text)) {
        return std::nullopt;
    }
    return current->text();
}

}  // namespace zelko
