#include "install/dialogs/win32/licence_terms.h"

#include "install/resources/install_resource_ids.h"

namespace zelko {

std::wstring loadLicenceTerms(HINSTANCE instance) {
    HRSRC found =
        FindResourceW(instance, MAKEINTRESOURCEW(IDR_LICENCE_TERMS), LICENCE_TERMS_RESOURCE_TYPE);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const auto* utf8 = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    const DWORD size = found ? SizeofResource(instance, found) : 0;
    if (!utf8 || size == 0 || size > INT_MAX) {
        return {};
    }
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, static_cast<int>(size), nullptr, 0);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length <= 0 || MultiByteToWideChar(CP_UTF8, 0, utf8, static_cast<int>(size), text.data(),
                                           length) != length) {
        return {};
    }
    std::wstring terms;
    terms.reserve(text.size() + text.size() / 16);
    for (wchar_t c : text) {
        if (c == L'\r') {
            continue;
        }
        if (c == L'\n') {
            terms += L'\r';
        }
        terms += c;
    }
    return terms;
}

}  // namespace zelko
