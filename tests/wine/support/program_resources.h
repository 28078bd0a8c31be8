#pragma once
// The texts that a built program carries in its resources, read from its file, so that tests check
// what ships and not a copy of it.

#include <windows.h>

#include <string>
#include <vector>

namespace zelko::test {

// A program file loaded as data (not run) while the holder lives.
class ProgramResources {
  public:
    explicit ProgramResources(const std::wstring& executablePath);
    ProgramResources(const ProgramResources&) = delete;
    ProgramResources& operator=(const ProgramResources&) = delete;
    ~ProgramResources();

    bool loaded() const { return module_ != nullptr; }

    // The caption, the font name and every item's text of an extended dialog template (DIALOGEX),
    // in template order; texts given as ordinals are left out. Empty when the dialog is missing or
    // its template is damaged.
    std::vector<std::wstring> dialogTexts(int dialogId) const;

    // Every item's text of a menu, popups included, depth first.
    std::vector<std::wstring> menuTexts(int menuId) const;

  private:
    std::wstring executablePath_;
    HMODULE module_ = nullptr;
};

}  // namespace zelko::test
