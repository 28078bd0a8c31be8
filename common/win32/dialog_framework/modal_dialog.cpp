#include "common/win32/dialog_framework/modal_dialog.h"

namespace zelko {

INT_PTR ModalDialog::doModal() {
    return DialogBoxParamW(instance_, MAKEINTRESOURCEW(templateId_), owner_, dialogProc,
                           reinterpret_cast<LPARAM>(this));
}

void ModalDialog::onCommand(int controlId, CommandHandler handler) {
    commands_[controlId] = std::move(handler);
}

void ModalDialog::onMessage(UINT message, MessageHandler handler) {
    messages_[message] = std::move(handler);
}

void ModalDialog::endDialog(INT_PTR result) {
    EndDialog(window_, result);
}

std::wstring ModalDialog::itemText(int id) const {
    HWND control = item(id);
    const int length = control ? GetWindowTextLengthW(control) : 0;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = control ? GetWindowTextW(control, text.data(), length + 1) : 0;
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void ModalDialog::setItemText(int id, const std::wstring& text) {
    SetDlgItemTextW(window_, id, text.c_str());
}

INT_PTR CALLBACK ModalDialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<ModalDialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->window_ = window;
        dialog->onCreate();
        return dialog->onInitDialog() ? TRUE : FALSE;
    }
    auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    // Messages that come before WM_INITDIALOG (the font, sizes) go to the default handling.
    return dialog ? dialog->handle(message, wParam, lParam) : FALSE;
}

INT_PTR ModalDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        auto handler = commands_.find(LOWORD(wParam));
        if (handler != commands_.end()) {
            handler->second(HIWORD(wParam));
            return TRUE;
        }
        return FALSE;
    }
    auto handler = messages_.find(message);
    return handler != messages_.end() ? handler->second(wParam, lParam) : FALSE;
}

}  // namespace zelko
