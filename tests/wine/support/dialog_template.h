#pragma once
// A dialog template (DLGTEMPLATEEX) read from the resources of a built program, so that tests see
// the dialog as it was built: texts, ids, positions in dialog units, styles and font.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace zelko::test {

struct DialogItem {
    DWORD id = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring className;  // "Button", "Edit", "Static", ... for the predefined classes
    std::wstring text;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring title;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE charset = 0;
    std::wstring typeface;
    std::vector<DialogItem> items;
};

// Dialog `id` of the program at `executablePath`; std::nullopt when it is missing or not an
// extended template.
std::optional<DialogTemplate> loadDialogTemplate(const std::wstring& executablePath, int id);

}  // namespace zelko::test
