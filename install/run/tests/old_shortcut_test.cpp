#include "install/run/old_shortcut.h"

#include <gtest/gtest.h>

#include <functional>

#include "common/setup/install_record.h"
#include "common/setup/testing/fake_machine.h"

namespace zelko {
namespace {

using testing::FakeMachine;

constexpr char16_t kShortcut[] = u"C:\\Startup\\ZELKOペンミドルウェア.lnk";

TEST(OldShortcut, RemovesTheRecordedShortcutOrFindsItGone) {
    struct Case {
        const char* name;
        std::function<void(FakeMachine&)> arrange;
        bool result;
        bool deleted;
    };
    auto recorded = [](FakeMachine& m) {
        m.createKey(kInstallKey);
        m.writeText(kInstallKey, kStartUpPathValue, kShortcut);
    };
    const Case cases[] = {
        {"no install key", [](FakeMachine&) {}, false, false},
        {"no recorded shortcut", [](FakeMachine& m) { m.createKey(kInstallKey); }, false, false},
        {"recorded shortcut already absent", recorded, true, false},
        {"a folder in its place",
         [&](FakeMachine& m) {
             recorded(m);
             m.addFolder(kShortcut);
         },
         true, false},
        {"shortcut present",
         [&](FakeMachine& m) {
             recorded(m);
             m.addFile(kShortcut);
         },
         true, true},
        {"shortcut cannot be deleted",
         [&](FakeMachine& m) {
             recorded(m);
             m.addFile(kShortcut);
             m.undeletableFiles.insert(kShortcut);
         },
         false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeMachine machine;
        c.arrange(machine);
        EXPECT_EQ(removeOldStartUpShortcut(machine, machine), c.result);
        EXPECT_EQ(machine.deletedFiles.size(), c.deleted ? 1u : 0u);
    }
}

}  // namespace
}  // namespace zelko
