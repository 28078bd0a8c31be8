#include "install/run/win32/log_list.h"

#include <commctrl.h>

namespace zelko {

void LogList::insertColumn(const std::wstring& header) {
    RECT client{};
    GetClientRect(list_, &client);
    std::wstring text = header;
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = text.data();
    // Room is kept for the vertical scroll bar that a long log brings: the column never needs a
    // horizontal one.
    column.cx = client.right - client.left - GetSystemMetrics(SM_CXVSCROLL);
    column.iSubItem = 0;
    SendMessageW(list_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

void LogList::addLine(const std::wstring& line) {
    std::wstring text = line;
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
    item.iSubItem = 0;
    item.pszText = text.data();
    const LRESULT index = SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (index >= 0) {
        SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    }
}

}  // namespace zelko
