#include "common/setup/testing/fake_machine.h"

namespace zelko::testing {

bool FakeMachine::hasFile(const std::u16string& path) const {
    auto entry = entries.find(path);
    return entry != entries.end() && entry->second == EntryKind::File;
}

bool FakeMachine::hasFolder(const std::u16string& path) const {
    auto entry = entries.find(path);
    return entry != entries.end() && entry->second == EntryKind::Folder;
}

FakeMachine::Values FakeMachine::values(const std::u16string& key) const {
    auto found = keys_.find(key);
    return found == keys_.end() ? Values{} : found->second;
}

EntryKind FakeMachine::entryKind(const std::u16string& path) {
    auto entry = entries.find(path);
    return entry == entries.end() ? EntryKind::None : entry->second;
}

bool FakeMachine::createFolder(const std::u16string& path) {
    auto separator = path.find_last_of(u'\\');
    bool parentExists = separator != std::u16string::npos &&
                        (separator == 2 || hasFolder(path.substr(0, separator)));
    if (failingFolderCreations.count(path) || entries.count(path) || !parentExists) {
        return false;
    }
    entries[path] = EntryKind::Folder;
    createdFolders.push_back(path);
    return true;
}

bool FakeMachine::deleteFile(const std::u16string& path) {
    if (!hasFile(path) || undeletableFiles.count(path)) {
        return false;
    }
    entries.erase(path);
    deletedFiles.push_back(path);
    return true;
}

template <class Type>
std::optional<Type> FakeMachine::readValue(const std::u16string& key,
                                           const std::u16string& name) const {
    const Values found = values(key);
    const auto value = found.find(name);
    if (value == found.end() || !std::holds_alternative<Type>(value->second)) {
        return std::nullopt;
    }
    return std::get<Type>(value->second);
}

std::optional<std::u16string> FakeMachine::readText(const std::u16string& key,
                                                    const std::u16string& name) {
    return readValue<std::u16string>(key, name);
}

std::optional<std::uint32_t> FakeMachine::readNumber(const std::u16string& key,
                                                     const std::u16string& name) {
    return readValue<std::uint32_t>(key, name);
}

bool FakeMachine::createKey(const std::u16string& key) {
    if (failingKeyCreations.count(key)) {
        return false;
    }
    // As the registry does, the missing keys above it are created too.
    for (size_t separator = key.find(u'\\'); separator != std::u16string::npos;
         separator = key.find(u'\\', separator + 1)) {
        keys_[key.substr(0, separator)];
    }
    keys_[key];
    return true;
}

bool FakeMachine::writeValue(const std::u16string& key, const std::u16string& name, Value value) {
    auto found = keys_.find(key);
    if (found == keys_.end() || failingValueWrites.count(name)) {
        return false;
    }
    found->second[name] = std::move(value);
    return true;
}

bool FakeMachine::writeText(const std::u16string& key, const std::u16string& name,
                            const std::u16string& value) {
    return writeValue(key, name, value);
}

bool FakeMachine::writeNumber(const std::u16string& key, const std::u16string& name,
                              std::uint32_t value) {
    return writeValue(key, name, value);
}

bool FakeMachine::deleteKey(const std::u16string& key) {
    auto found = keys_.find(key);
    if (found == keys_.end() || failingKeyDeletions.count(key)) {
        return false;
    }
    const std::u16string below = key + u"\\";
    auto subkey = keys_.lower_bound(below);
    if (subkey != keys_.end() && subkey->first.rfind(below, 0) == 0) {
        return false;  // it has subkeys
    }
    keys_.erase(found);
    deletedKeys.push_back(key);
    return true;
}

Answer FakeMachine::show(const std::u16string& text, const std::u16string& caption,
                         Buttons buttons) {
    shown.push_back({text, caption, buttons});
    if (!answers.empty()) {
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

}  // namespace zelko::testing
