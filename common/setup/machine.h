#pragma once
// The parts of the machine that the installer and the uninstaller change, as they see them: files
// and folders, the registry under HKEY_LOCAL_MACHINE, and message boxes. The Win32 side is in
// win32/; the unit tests use a fake (testing/).

#include <cstdint>
#include <optional>
#include <string>

namespace zelko {

enum class EntryKind { None, File, Folder };

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // What exists at exactly this path.
    virtual EntryKind entryKind(const std::u16string& path) = 0;
    // Creates one folder; its parent must exist.
    virtual bool createFolder(const std::u16string& path) = 0;
    virtual bool deleteFile(const std::u16string& path) = 0;
};

// Keys are paths below HKEY_LOCAL_MACHINE.
class Registry {
  public:
    virtual ~Registry() = default;
    virtual bool keyExists(const std::u16string& key) = 0;
    // A REG_SZ value, or nothing when the key or value is missing or of another type.
    virtual std::optional<std::u16string> readText(const std::u16string& key,
                                                   const std::u16string& name) = 0;
    // A REG_DWORD value, or nothing.
    virtual std::optional<std::uint32_t> readNumber(const std::u16string& key,
                                                    const std::u16string& name) = 0;
    // Creates the key (and missing keys above it), or opens it when it exists.
    virtual bool createKey(const std::u16string& key) = 0;
    // REG_SZ, stored with its terminating null character.
    virtual bool writeText(const std::u16string& key, const std::u16string& name,
                           const std::u16string& value) = 0;
    virtual bool writeNumber(const std::u16string& key, const std::u16string& name,
                             std::uint32_t value) = 0;
    // Deletes a key that has no subkeys.
    virtual bool deleteKey(const std::u16string& key) = 0;
};

enum class Buttons { Ok, OkCancel, YesNo };
// `None`: the box could not be shown.
enum class Answer { None, Ok, Cancel, Yes, No };

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual Answer show(const std::u16string& text, const std::u16string& caption,
                        Buttons buttons) = 0;
};

}  // namespace zelko
