#include "support/program_resources.h"

#include <algorithm>
#include <optional>

#include "support/dialog_template.h"

namespace zelko::test {

namespace {

// An item text given as an ordinal (a resource number such as an icon's) is no text to read.
bool isOrdinalText(const std::wstring& text) {
    return text.size() > 1 && text[0] == L'#' &&
           std::all_of(text.begin() + 1, text.end(),
                       [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

void collectMenuTexts(HMENU menu, std::vector<std::wstring>& texts) {
    const int count = GetMenuItemCount(menu);
    for (int index = 0; index < count; ++index) {
        wchar_t text[256] = {};
        if (GetMenuStringW(menu, static_cast<UINT>(index), text, 256, MF_BYPOSITION) > 0) {
            texts.emplace_back(text);
        }
        if (HMENU popup = GetSubMenu(menu, index)) {
            collectMenuTexts(popup, texts);
        }
    }
}

}  // namespace

ProgramResources::ProgramResources(const std::wstring& executablePath)
    : executablePath_(executablePath),
      module_(LoadLibraryExW(executablePath.c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}

ProgramResources::~ProgramResources() {
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
}

std::vector<std::wstring> ProgramResources::dialogTexts(int dialogId) const {
    std::vector<std::wstring> texts;
    const std::optional<DialogTemplate> dialog =
        module_ ? loadDialogTemplate(executablePath_, dialogId) : std::nullopt;
    if (!dialog) {
        return texts;
    }
    texts.push_back(dialog->title);
    if (!dialog->typeface.empty()) {
        texts.push_back(dialog->typeface);
    }
    for (const DialogItem& item : dialog->items) {
        if (!item.text.empty() && !isOrdinalText(item.text)) {
            texts.push_back(item.text);
        }
    }
    return texts;
}

std::vector<std::wstring> ProgramResources::menuTexts(int menuId) const {
    std::vector<std::wstring> texts;
    HMENU menu = module_ ? LoadMenuW(module_, MAKEINTRESOURCEW(menuId)) : nullptr;
    if (menu != nullptr) {
        collectMenuTexts(menu, texts);
        DestroyMenu(menu);
    }
    return texts;
}

}  // namespace zelko::test
