#include "common/setup/win32/win32_message_boxes.h"

#include "common/win32/text.h"

namespace zelko {

Answer Win32MessageBoxes::show(const std::u16string& text, const std::u16string& caption,
                               Buttons buttons) {
    UINT type = MB_OK;
    if (buttons == Buttons::OkCancel) {
        type = MB_OKCANCEL;
    } else if (buttons == Buttons::YesNo) {
        type = MB_YESNO;
    }
    switch (MessageBoxW(owner_, toWide(text).c_str(), toWide(caption).c_str(), type)) {
        case IDOK:
            return Answer::Ok;
        case IDCANCEL:
            return Answer::Cancel;
        case IDYES:
            return Answer::Yes;
        case IDNO:
            return Answer::No;
        default:
            return Answer::None;
    }
}

}  // namespace zelko
