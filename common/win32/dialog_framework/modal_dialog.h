#pragma once
// A modal dialog made from a dialog resource, with one handler per control id and per window
// message. A command without a handler does nothing: a dialog that wants Esc (IDCANCEL) or Enter
// (IDOK) to end it says so with a handler.

#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace zelko {

class ModalDialog {
  public:
    ModalDialog(HINSTANCE instance, int templateId, HWND owner)
        : instance_(instance), templateId_(templateId), owner_(owner) {}
    virtual ~ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // Shows the dialog and runs it until endDialog; the result, or -1 when it could not be shown.
    INT_PTR doModal();
    HWND window() const { return window_; }

  protected:
    using CommandHandler = std::function<void(WORD notification)>;
    // Its result is the dialog procedure's: TRUE when handled, or the message's own result.
    using MessageHandler = std::function<INT_PTR(WPARAM, LPARAM)>;

    void onCommand(int controlId, CommandHandler handler);
    void onMessage(UINT message, MessageHandler handler);

    // WM_INITDIALOG runs onCreate (the window and its controls exist), then onInitDialog, whose
    // result is the message's: true lets the system give the focus to the first control.
    virtual void onCreate() {}
    virtual bool onInitDialog() { return true; }

    void endDialog(INT_PTR result);
    HINSTANCE instance() const { return instance_; }
    HWND item(int id) const { return GetDlgItem(window_, id); }
    std::wstring itemText(int id) const;
    void setItemText(int id, const std::wstring& text);

  private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    int templateId_;
    HWND owner_;
    HWND window_ = nullptr;
    std::map<int, CommandHandler> commands_;
    std::map<UINT, MessageHandler> messages_;
};

}  // namespace zelko
