#include "support/program_resources.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace zelko::test {

namespace {

// Reads an extended dialog template with bounds checks: a damaged template ends the reading.
class TemplateReader {
  public:
    TemplateReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }

    template <class T>
    T read() {
        T value{};
        if (!ok_ || size_ - offset_ < sizeof(T)) {
            ok_ = false;
            return value;
        }
        std::memcpy(&value, data_ + offset_, sizeof(T));
        offset_ += sizeof(T);
        return value;
    }

    void skip(std::size_t bytes) {
        if (!ok_ || size_ - offset_ < bytes) {
            ok_ = false;
            return;
        }
        offset_ += bytes;
    }

    void alignTo(std::size_t boundary) {
        const std::size_t padding = (boundary - offset_ % boundary) % boundary;
        skip(std::min(padding, size_ - offset_));
    }

    // A NUL-terminated UTF-16 text.
    std::wstring text() {
        std::wstring result;
        for (;;) {
            const auto unit = read<std::uint16_t>();
            if (!ok_ || unit == 0) {
                return result;
            }
            result += static_cast<wchar_t>(unit);
        }
    }

    // A text or an ordinal (0xFFFF and a number; left out) or nothing (0x0000).
    std::wstring textOrOrdinal() {
        if (!ok_ || size_ - offset_ < 2) {
            ok_ = false;
            return {};
        }
        std::uint16_t first = 0;
        std::memcpy(&first, data_ + offset_, 2);
        if (first == 0x0000) {
            skip(2);
            return {};
        }
        if (first == 0xFFFF) {
            skip(4);
            return {};
        }
        return text();
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
    bool ok_ = true;
};

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
    : module_(LoadLibraryExW(executablePath.c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}

ProgramResources::~ProgramResources() {
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
}

std::vector<std::wstring> ProgramResources::dialogTexts(int dialogId) const {
    std::vector<std::wstring> texts;
    HRSRC resource =
        module_ ? FindResourceW(module_, MAKEINTRESOURCEW(dialogId), RT_DIALOG) : nullptr;
    HGLOBAL loaded = resource ? LoadResource(module_, resource) : nullptr;
    const auto* data = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
    if (data == nullptr) {
        return texts;
    }
    TemplateReader reader(data, SizeofResource(module_, resource));
    const auto version = reader.read<std::uint16_t>();
    const auto signature = reader.read<std::uint16_t>();
    if (version != 1 || signature != 0xFFFF) {
        return texts;  // not an extended template
    }
    reader.skip(4 + 4);  // help id, extended style
    const auto style = reader.read<std::uint32_t>();
    const auto items = reader.read<std::uint16_t>();
    reader.skip(4 * 2);              // x, y, cx, cy
    reader.textOrOrdinal();          // menu
    reader.textOrOrdinal();          // class
    texts.push_back(reader.text());  // caption
    if (style & (DS_SETFONT | DS_SHELLFONT)) {
        reader.skip(2 + 2 + 1 + 1);  // point size, weight, italic, character set
        texts.push_back(reader.text());
    }
    for (std::uint16_t item = 0; item < items && reader.ok(); ++item) {
        reader.alignTo(4);
        reader.skip(4 + 4 + 4 + 4 * 2 + 4);  // help id, styles, position and size, id
        reader.textOrOrdinal();              // class
        std::wstring text = reader.textOrOrdinal();
        reader.skip(reader.read<std::uint16_t>());  // creation data
        if (reader.ok() && !text.empty()) {
            texts.push_back(std::move(text));
        }
    }
    if (!reader.ok()) {
        texts.clear();
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
