#include "install/run/folder_tree.h"

#include <gtest/gtest.h>

#include "common/setup/testing/fake_machine.h"

namespace zelko {
namespace {

using testing::FakeMachine;
using Paths = std::vector<std::u16string>;

TEST(FolderTree, CreatesEveryMissingFolderFromTheTop) {
    struct Case {
        const char16_t* path;
        Paths existing;
        Paths created;
        bool result;
    };
    const Case cases[] = {
        {u"C:\\a\\b\\c", {u"C:\\a"}, {u"C:\\a\\b", u"C:\\a\\b\\c"}, true},
        {u"C:\\a\\b\\c\\\\", {u"C:\\a"}, {u"C:\\a\\b", u"C:\\a\\b\\c"}, true},
        {u"C:\\a", {}, {u"C:\\a"}, true},
        // Nothing missing: no creation, and so no success.
        {u"C:\\a\\b", {u"C:\\a", u"C:\\a\\b"}, {}, false},
        {u"C:\\", {}, {}, false},
        // The share at the root of a network path is never created.
        {u"\\\\server\\share\\x\\y",
         {u"\\\\server\\share"},
         {u"\\\\server\\share\\x", u"\\\\server\\share\\x\\y"},
         true},
    };
    for (const auto& c : cases) {
        FakeMachine machine;
        for (const auto& folder : c.existing) {
            machine.addFolder(folder);
        }
        EXPECT_EQ(createFolderTree(machine, c.path), c.result);
        EXPECT_EQ(machine.createdFolders, c.created);
    }
}

TEST(FolderTree, StopsAtTheFirstFolderThatCannotBeCreated) {
    FakeMachine machine;
    machine.addFolder(u"C:\\a");
    machine.failingFolderCreations.insert(u"C:\\a\\b");
    EXPECT_FALSE(createFolderTree(machine, u"C:\\a\\b\\c"));
    EXPECT_TRUE(machine.createdFolders.empty());
}

TEST(FolderTree, FileInTheWayFailsTheFolderBelowIt) {
    FakeMachine machine;
    machine.addFolder(u"C:\\a");
    machine.addFile(u"C:\\a\\b");
    EXPECT_FALSE(createFolderTree(machine, u"C:\\a\\b\\c"));
    EXPECT_TRUE(machine.createdFolders.empty());
}

}  // namespace
}  // namespace zelko
