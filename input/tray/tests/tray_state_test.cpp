#include "tray/tray_state.h"

#include <gtest/gtest.h>

#include <string>

namespace zelko {
namespace {

TEST(ChooseTrayState, FollowsPresenceThenClaim) {
    struct Case {
        PenStatus status;  // penPresent, running, holdsDevicePath, linkState
        TrayState expected;
    };
    const Case cases[] = {
        {{1, 1, true, 1}, TrayState::Usable},
        {{0, 1, true, 1}, TrayState::NotAttached},  // presence decides first
        {{2, 1, true, 1}, TrayState::NotAttached},
        {{-1, 1, true, 1}, TrayState::NotAttached},
        {{0, 0, false, 0}, TrayState::NotAttached},
        {{1, 0, true, 1}, TrayState::NoAccess},  // reader not running
        {{1, 2, true, 1}, TrayState::NoAccess},
        {{1, 1, false, 1}, TrayState::NoAccess},  // no device path held
        {{1, 1, true, 0}, TrayState::NoAccess},   // link test failed
        {{1, 1, true, 2}, TrayState::NoAccess},
        {{1, 0, false, 0}, TrayState::NoAccess},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "penPresent " << c.status.penPresent << " running " << c.status.running
                     << " path " << c.status.holdsDevicePath << " link " << c.status.linkState);
        EXPECT_EQ(chooseTrayState(c.status), c.expected);
    }
}

TEST(TrayStateLook, IconAndTipOfEachState) {
    struct Case {
        TrayState state;
        int icon;
        std::u16string tip;
    };
    const Case cases[] = {
        {TrayState::Usable, 105, u"ZELKO：使用可能"},
        {TrayState::NoAccess, 108, u"ZELKO：権限なし"},
        {TrayState::NotAttached, 104, u"ZELKO：未装着"},
    };
    for (const Case& c : cases) {
        const TrayStateLook look = trayStateLook(c.state);
        EXPECT_EQ(look.iconResource, c.icon);
        ASSERT_NE(look.tip, nullptr);
        EXPECT_EQ(std::u16string(look.tip), c.tip);
    }
}

}  // namespace
}  // namespace zelko
