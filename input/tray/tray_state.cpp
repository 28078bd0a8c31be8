// The tray icon's state and how each state looks.

#include "tray/tray_state.h"

namespace zelko {

TrayState chooseTrayState(const PenStatus& status) {
    if (status.penPresent != 1) {
        return TrayState::NotAttached;
    }
    if (status.running == 1 && status.holdsDevicePath && status.linkState == 1) {
        return TrayState::Usable;
    }
    return TrayState::NoAccess;
}

TrayStateLook trayStateLook(TrayState state) {
    switch (state) {
        case TrayState::Usable:
            return {105, u"ZELKO：使用可能"};
        case TrayState::NoAccess:
            return {108, u"ZELKO：権限なし"};
        case TrayState::NotAttached:
            break;
    }
    return {104, u"ZELKO：未装着"};
}

}  // namespace zelko
