// The resident program's own settings reading and writing, called in the test process. The test
// program's settings file is the one beside it (its executable's name ending in "cfg"), as the
// resident program's is beside it; the per-user file is the one of the test program's name.

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "app/win32/program_state.h"
#include "common/win32/text.h"
#include "settings/settings.h"
#include "settings/win32/settings_file.h"
#include "support/resident_program.h"
#include "support/test_paths.h"

namespace zelko::test {
namespace {

auto fieldsOf(const Settings& s) {
    return std::make_tuple(s.useBrowserPath, s.outputMode, toWide(s.browserPath), s.playSound,
                           s.showDialog, s.autoLogin);
}

Settings settingsInMemory() {
    ProgramState& state = programState();
    MutexLock lock(state.settingsLock);
    return state.settings;
}

void setSettingsInMemory(const Settings& settings) {
    ProgramState& state = programState();
    MutexLock lock(state.settingsLock);
    state.settings = settings;
}

std::string bytesOf(const Settings& settings) {
    const SettingsFileBytes bytes = encodeSettings(settings);
    return std::string(bytes.begin(), bytes.end());
}

// Settings unlike the defaults in every field that a load keeps.
Settings chosenSettings() {
    Settings settings;
    settings.outputMode = LaunchBrowser;
    settings.browserPath = u"C:\\Program Files\\ブラウザ\\browser.exe";
    settings.playSound = 0;
    settings.showDialog = 0;
    settings.autoLogin = 0;
    return settings;
}

enum class Entry { None, File, ReadOnlyFile, Folder };

const char* nameOf(Entry entry) {
    switch (entry) {
        case Entry::None:
            return "nothing";
        case Entry::File:
            return "a file";
        case Entry::ReadOnlyFile:
            return "a read-only file";
        case Entry::Folder:
            return "a folder";
    }
    return "?";
}

void make(const std::wstring& path, Entry entry, const std::string& bytes) {
    switch (entry) {
        case Entry::None:
            break;
        case Entry::File:
            ASSERT_TRUE(writeFileBytes(path, bytes));
            break;
        case Entry::ReadOnlyFile:
            ASSERT_TRUE(writeFileBytes(path, bytes));
            ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
            break;
        case Entry::Folder:
            ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
            break;
    }
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class SettingsFileShell : public ::testing::Test {
  protected:
    void SetUp() override {
        clear();
        setSettingsInMemory(Settings{});
    }
    void TearDown() override {
        clear();
        setSettingsInMemory(Settings{});
    }
    void clear() {
        removePerUserSettings();
        SetFileAttributesW(beside.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(beside.c_str());
        RemoveDirectoryW(beside.c_str());
    }

    const std::wstring beside = toWide(settingsFileNameFor(toU16(executablePath())));
    const std::wstring perUser = perUserSettingsPath();
};

// Every length from none to the whole file and past it: the fields the file holds are read, the
// others keep their defaults, exactly as the layout's decoding says.
TEST_F(SettingsFileShell, FileOfEveryLengthLoadsWhatItHolds) {
    Settings written = chosenSettings();
    written.useBrowserPath = 1;
    written.autoLogin = 1;
    std::string whole = bytesOf(written);
    whole += std::string(56, '\x7F');  // a longer file: only its first 544 bytes count
    for (size_t length = 0; length <= whole.size(); ++length) {
        SCOPED_TRACE(length);
        ASSERT_TRUE(writeFileBytes(beside, whole.substr(0, length)));
        setSettingsInMemory(Settings{});
        ASSERT_EQ(loadSettings(), 1);
        Settings expected;
        decodeSettings(reinterpret_cast<const std::uint8_t*>(whole.data()),
                       std::min(length, kSettingsFileSize), expected);
        ASSERT_EQ(fieldsOf(settingsInMemory()), fieldsOf(expected));
    }
    EXPECT_EQ(readFileBytes(beside), whole) << "reading never writes";
}

// A folder, or a read-only file, where the settings file would be: a folder is no settings file
// (the defaults stay, auto-login mode on, as on a first start); a read-only file is read.
TEST_F(SettingsFileShell, FolderLeavesTheDefaultsAndReadOnlyFileIsRead) {
    ASSERT_NO_FATAL_FAILURE(make(beside, Entry::Folder, {}));
    EXPECT_EQ(loadSettings(), 0);
    EXPECT_EQ(fieldsOf(settingsInMemory()), fieldsOf(Settings{}));
    EXPECT_TRUE(isFolder(beside));

    ASSERT_TRUE(RemoveDirectoryW(beside.c_str()));
    ASSERT_NO_FATAL_FAILURE(make(beside, Entry::ReadOnlyFile, bytesOf(chosenSettings())));
    EXPECT_EQ(loadSettings(), 1);
    EXPECT_EQ(fieldsOf(settingsInMemory()), fieldsOf(chosenSettings()));
}

struct SaveCase {
    Entry beside;
    Entry perUser;
    // Where the save put the settings; Nowhere: no place took them and the save gives 0.
    enum { Nowhere, Beside, PerUser } writtenTo;
};

void PrintTo(const SaveCase& c, std::ostream* out) {
    *out << "beside the program " << nameOf(c.beside) << ", per user " << nameOf(c.perUser);
}

class SettingsFileSave : public SettingsFileShell,
                         public ::testing::WithParamInterface<SaveCase> {};

// Saving over what is in the way: the settings go to a place that takes them and that the next
// load reads, or the save says it failed; nothing that was there is changed by a failed write.
TEST_P(SettingsFileSave, GoesWhereTheNextLoadReadsItOrFails) {
    const SaveCase& c = GetParam();
    Settings old = chosenSettings();
    old.showDialog = 1;
    const std::string oldBytes = bytesOf(old);
    ASSERT_NO_FATAL_FAILURE(make(beside, c.beside, oldBytes));
    if (c.perUser != Entry::None) {
        ASSERT_EQ(SHCreateDirectoryExW(nullptr, perUserSettingsFolder().c_str(), nullptr),
                  ERROR_SUCCESS);
    }
    ASSERT_NO_FATAL_FAILURE(make(perUser, c.perUser, oldBytes));

    const Settings applied = chosenSettings();
    setSettingsInMemory(applied);
    EXPECT_EQ(saveSettings(), c.writtenTo == SaveCase::Nowhere ? 0 : 1);

    const std::string appliedBytes = bytesOf(applied);
    for (const auto& [path, entry, written] :
         {std::make_tuple(beside, c.beside, c.writtenTo == SaveCase::Beside),
          std::make_tuple(perUser, c.perUser, c.writtenTo == SaveCase::PerUser)}) {
        SCOPED_TRACE(path);
        if (written) {
            EXPECT_EQ(readFileBytes(path), appliedBytes);
        } else if (entry == Entry::Folder) {
            EXPECT_TRUE(isFolder(path));
        } else if (entry == Entry::None) {
            EXPECT_FALSE(fileExists(path));
        } else {
            EXPECT_EQ(readFileBytes(path), oldBytes) << "left as it was";
        }
    }

    // The next start reads what was saved; after a failed save, what was there before.
    setSettingsInMemory(Settings{});
    const bool anyFile = c.writtenTo != SaveCase::Nowhere || c.beside == Entry::ReadOnlyFile ||
                         c.perUser == Entry::ReadOnlyFile;
    EXPECT_EQ(loadSettings(), anyFile ? 1 : 0);
    const Settings expected =
        c.writtenTo != SaveCase::Nowhere ? applied : (anyFile ? old : Settings{});
    EXPECT_EQ(fieldsOf(settingsInMemory()), fieldsOf(expected));
}

INSTANTIATE_TEST_SUITE_P(
    InTheWay, SettingsFileSave,
    ::testing::Values(SaveCase{Entry::None, Entry::None, SaveCase::Beside},
                      SaveCase{Entry::ReadOnlyFile, Entry::None, SaveCase::PerUser},
                      SaveCase{Entry::Folder, Entry::None, SaveCase::PerUser},
                      SaveCase{Entry::Folder, Entry::Folder, SaveCase::Nowhere},
                      SaveCase{Entry::ReadOnlyFile, Entry::Folder, SaveCase::Nowhere},
                      SaveCase{Entry::File, Entry::ReadOnlyFile, SaveCase::Nowhere}));

}  // namespace
}  // namespace zelko::test
