#pragma once
// A machine in memory for the unit tests: files and folders, the registry and message boxes, each
// with switches that make single operations fail, and a record of what happened.

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "common/setup/machine.h"

namespace zelko::testing {

class FakeMachine : public FileSystem, public Registry, public MessageBoxes {
  public:
    using Value = std::variant<std::u16string, std::uint32_t>;
    using Values = std::map<std::u16string, Value>;

    struct ShownMessage {
        std::u16string text;
        std::u16string caption;
        Buttons buttons;
    };

    // What the tests compare to see that nothing changed.
    struct State {
        std::map<std::u16string, EntryKind> entries;
        std::map<std::u16string, Values> keys;
        bool operator==(const State& other) const {
            return entries == other.entries && keys == other.keys;
        }
    };

    void addFolder(const std::u16string& path) { entries[path] = EntryKind::Folder; }
    void addFile(const std::u16string& path) { entries[path] = EntryKind::File; }
    bool hasFile(const std::u16string& path) const;
    bool hasFolder(const std::u16string& path) const;

    // The values of a key; empty when the key is missing.
    Values values(const std::u16string& key) const;
    bool hasKey(const std::u16string& key) const { return keys_.count(key) != 0; }
    State state() const { return {entries, keys_}; }

    // FileSystem
    EntryKind entryKind(const std::u16string& path) override;
    bool createFolder(const std::u16string& path) override;
    bool deleteFile(const std::u16string& path) override;

    // Registry
    bool keyExists(const std::u16string& key) override { return hasKey(key); }
    std::optional<std::u16string> readText(const std::u16string& key,
                                           const std::u16string& name) override;
    std::optional<std::uint32_t> readNumber(const std::u16string& key,
                                            const std::u16string& name) override;
    bool createKey(const std::u16string& key) override;
    bool writeText(const std::u16string& key, const std::u16string& name,
                   const std::u16string& value) override;
    bool writeNumber(const std::u16string& key, const std::u16string& name,
                     std::uint32_t value) override;
    bool deleteKey(const std::u16string& key) override;

    // MessageBoxes: answers are taken in order; without one, the first button is pressed.
    Answer show(const std::u16string& text, const std::u16string& caption,
                Buttons buttons) override;

    std::map<std::u16string, EntryKind> entries;
    std::set<std::u16string> failingFolderCreations;
    std::set<std::u16string> undeletableFiles;
    std::vector<std::u16string> createdFolders;
    std::vector<std::u16string> deletedFiles;

    std::set<std::u16string> failingKeyCreations;
    std::set<std::u16string> failingKeyDeletions;
    std::set<std::u16string> failingValueWrites;  // value names
    std::vector<std::u16string> deletedKeys;

    std::deque<Answer> answers;
    std::vector<ShownMessage> shown;

  private:
    template <class Type>
    std::optional<Type> readValue(const std::u16string& key, const std::u16string& name) const;
    bool writeValue(const std::u16string& key, const std::u16string& name, Value value);

    std::map<std::u16string, Values> keys_;
};

}  // namespace zelko::testing
