#pragma once
// The status dialog's log (`m_listLog`): a report-view list with one column, one line per item.
// The worker thread adds lines through synchronous messages, served by the dialog's thread.

#include <windows.h>

#include <string>

namespace zelko {

class LogList {
  public:
    void attach(HWND list) { list_ = list; }
    HWND window() const { return list_; }
    // The one column, as wide as the list's client area beside a vertical scroll bar.
    void insertColumn(const std::wstring& header);
    // `AddLog`: a new last item, scrolled into view.
    void addLine(const std::wstring& line);

  private:
    HWND list_ = nullptr;
};

}  // namespace zelko
