#pragma once
// A file written under a temporary name and given its real name only once it is complete. Until
// then it is marked for deletion, so that it goes even when the program ends in the middle.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "common/win32/unique_handle.h"

namespace zelko {

class TemporaryFile {
  public:
    // Creates an empty file with a unique name in `folder` and opens it for writing; std::nullopt
    // when that fails.
    static std::optional<TemporaryFile> createIn(const std::wstring& folder);

    TemporaryFile(TemporaryFile&& other) noexcept;
    TemporaryFile& operator=(TemporaryFile&&) = delete;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    // Deletes the file unless it was committed.
    ~TemporaryFile();

    const std::wstring& path() const { return path_; }
    // Appends the bytes; false when they were not all written.
    bool write(std::string_view bytes);
    // Closes the file and renames it to `target`, replacing a file of that name. False (and the
    // file deleted) when that fails.
    bool commitAs(const std::wstring& target);

  private:
    TemporaryFile(std::wstring path, UniqueFileHandle file);
    void discard();

    std::wstring path_;
    UniqueFileHandle file_;
};

}  // namespace zelko
