#include "support/dialog_template.h"

#include <cstring>

namespace zelko::test {

namespace {

// Reads the template's fields in order, with bounds checks.
class TemplateReader {
  public:
    TemplateReader(const BYTE* data, std::size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }

    template <class T>
    T read() {
        T value{};
        if (at_ + sizeof(T) > size_) {
            ok_ = false;
            return value;
        }
        std::memcpy(&value, data_ + at_, sizeof(T));
        at_ += sizeof(T);
        return value;
    }

    std::wstring readText() {
        std::wstring text;
        for (WORD c = read<WORD>(); ok_ && c != 0; c = read<WORD>()) {
            text += static_cast<wchar_t>(c);
        }
        return text;
    }

    // A name or an ordinal (0xFFFF and a number); ordinals of the predefined classes become
    // their names.
    std::wstring readNameOrOrdinal() {
        const std::size_t start = at_;
        const WORD first = read<WORD>();
        if (first == 0) {
            return {};
        }
        if (first == 0xFFFF) {
            const WORD ordinal = read<WORD>();
            static const wchar_t* const kClasses[] = {L"Button",  L"Edit",      L"Static",
                                                      L"ListBox", L"ScrollBar", L"ComboBox"};
            if (ordinal >= 0x80 && ordinal <= 0x85) {
                return kClasses[ordinal - 0x80];
            }
            return L"#" + std::to_wstring(ordinal);
        }
        at_ = start;
        return readText();
    }

    void alignToDword() { at_ = (at_ + 3) & ~static_cast<std::size_t>(3); }
    void skip(std::size_t bytes) {
        if (at_ + bytes > size_) {
            ok_ = false;
        }
        at_ += bytes;
    }

  private:
    const BYTE* data_;
    std::size_t size_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

}  // namespace

std::optional<DialogTemplate> loadDialogTemplate(const std::wstring& executablePath, int id) {
    HMODULE module = LoadLibraryExW(executablePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        return std::nullopt;
    }
    std::optional<DialogTemplate> result;
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const auto* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (data) {
        TemplateReader reader(data, SizeofResource(module, resource));
        DialogTemplate dialog;
        const WORD version = reader.read<WORD>();
        const WORD signature = reader.read<WORD>();
        reader.read<DWORD>();  // help id
        dialog.exStyle = reader.read<DWORD>();
        dialog.style = reader.read<DWORD>();
        const WORD count = reader.read<WORD>();
        dialog.x = reader.read<short>();
        dialog.y = reader.read<short>();
        dialog.cx = reader.read<short>();
        dialog.cy = reader.read<short>();
        reader.readNameOrOrdinal();  // menu
        reader.readNameOrOrdinal();  // class
        dialog.title = reader.readText();
        if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
            dialog.pointSize = reader.read<WORD>();
            dialog.weight = reader.read<WORD>();
            reader.read<BYTE>();  // italic
            dialog.charset = reader.read<BYTE>();
            dialog.typeface = reader.readText();
        }
        for (WORD i = 0; i < count && reader.ok(); ++i) {
            reader.alignToDword();
            DialogItem item;
            reader.read<DWORD>();  // help id
            reader.read<DWORD>();  // extended style
            item.style = reader.read<DWORD>();
            item.x = reader.read<short>();
            item.y = reader.read<short>();
            item.cx = reader.read<short>();
            item.cy = reader.read<short>();
            item.id = reader.read<DWORD>();
            item.className = reader.readNameOrOrdinal();
            item.text = reader.readNameOrOrdinal();
            reader.skip(reader.read<WORD>());  // creation data
            dialog.items.push_back(item);
        }
        if (reader.ok() && version == 1 && signature == 0xFFFF) {
            result = dialog;
        }
    }
    FreeLibrary(module);
    return result;
}

}  // namespace zelko::test
