// The folder walk of the installation over a machine in memory: the path, the folders and files
// that already exist and the creations that fail all come from the fuzz input.
//
// Properties: the walk ends; it creates only folders that did not exist, each a leading part of
// the path that ends before one of its backslashes, from the top down, never the drive or the
// network share at the root, never an empty name; it stops at the first creation that fails; it
// reports success exactly when it created a folder and none failed; a second walk over the same
// path then creates nothing and reports no success.

#include <cstddef>
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "common/fuzz/fuzz_check.h"
#include "common/setup/testing/fake_machine.h"
#include "install/dialogs/windows_path.h"
#include "install/run/folder_tree.h"

namespace {

using namespace zelko;
using zelko::testing::FakeMachine;

// Paths are made of a few characters, so that existing entries and the path meet often.
std::u16string pathText(FuzzedDataProvider& provider) {
    static constexpr char16_t kAlphabet[] = u"\\\\\\/C:ab.?  ";
    const std::string picks = provider.ConsumeRandomLengthString(80);
    std::u16string path;
    for (const char pick : picks) {
        path.push_back(kAlphabet[static_cast<unsigned char>(pick) % (sizeof kAlphabet / 2 - 1)]);
    }
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const std::u16string path = pathText(provider);
    FakeMachine machine;
    const int entries = provider.ConsumeIntegralInRange<int>(0, 8);
    for (int i = 0; i < entries; ++i) {
        const std::u16string entry = pathText(provider);
        switch (provider.ConsumeIntegralInRange<int>(0, 2)) {
            case 0:
                machine.addFolder(entry);
                break;
            case 1:
                machine.addFile(entry);
                break;
            default:
                machine.failingFolderCreations.insert(entry);
                break;
        }
    }
    const FakeMachine::State before = machine.state();

    const bool created = createFolderTree(machine, path);

    std::u16string walked = path;
    while (!walked.empty() && walked.back() == u'\\') {
        walked.pop_back();
    }
    const std::size_t root = rootLength(walked + u'\\');
    std::size_t previousLength = 0;
    for (const std::u16string& folder : machine.createdFolders) {
        FUZZ_CHECK(!folder.empty());
        FUZZ_CHECK(before.entries.count(folder) == 0);
        FUZZ_CHECK(folder.size() > root);
        FUZZ_CHECK(folder.size() > previousLength);
        previousLength = folder.size();
        FUZZ_CHECK(walked.compare(0, folder.size(), folder) == 0);
        FUZZ_CHECK(folder.size() == walked.size() || walked[folder.size()] == u'\\');
        FUZZ_CHECK(machine.failingFolderCreations.count(folder) == 0);
    }
    FUZZ_CHECK(machine.createdFolders.size() <= path.size());
    if (created) {
        FUZZ_CHECK(!machine.createdFolders.empty());
    }

    // Everything that was missing now exists: a second walk finds nothing to do.
    if (created) {
        const std::size_t count = machine.createdFolders.size();
        FUZZ_CHECK(!createFolderTree(machine, path));
        FUZZ_CHECK(machine.createdFolders.size() == count);
    }
    return 0;
}
