#include "about/win32/temporary_file.h"

#include <utility>

namespace zelko {

namespace {

constexpr wchar_t kPrefix[] = L"ZLK";

// Marks the open file to be deleted when its last handle closes (true), or takes the mark back.
bool markForDeletion(HANDLE file, bool deleteOnClose) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = deleteOnClose ? TRUE : FALSE;
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition,
                                      sizeof disposition) != FALSE;
}

}  // namespace

std::optional<TemporaryFile> TemporaryFile::createIn(const std::wstring& folder) {
    wchar_t name[MAX_PATH] = {};
    // Creates the file, so the name is ours.
    if (GetTempFileNameW(folder.c_str(), kPrefix, 0, name) == 0) {
        return std::nullopt;
    }
    UniqueFileHandle file(CreateFileW(name, GENERIC_WRITE | DELETE, 0, nullptr, TRUNCATE_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        DeleteFileW(name);
        return std::nullopt;
    }
    // A download still waiting for the server when the program ends is not waited for: the system
    // then deletes the file as it closes the handle. Without the mark, the file still goes when
    // the download ends in the ordinary way.
    markForDeletion(file.get(), true);
    return TemporaryFile(name, std::move(file));
}

TemporaryFile::TemporaryFile(std::wstring path, UniqueFileHandle file)
    : path_(std::move(path)), file_(std::move(file)) {}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept
    : path_(std::exchange(other.path_, std::wstring())), file_(std::move(other.file_)) {}

TemporaryFile::~TemporaryFile() {
    discard();
}

void TemporaryFile::discard() {
    file_.reset();
    if (!path_.empty()) {
        DeleteFileW(path_.c_str());
        path_.clear();
    }
}

bool TemporaryFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD size =
            bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!file_ || !WriteFile(file_.get(), bytes.data(), size, &written, nullptr) ||
            written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

bool TemporaryFile::commitAs(const std::wstring& target) {
    if (path_.empty()) {
        return false;
    }
    if (!markForDeletion(file_.get(), false)) {
        discard();
        return false;
    }
    // Closing can report a write that did not reach the disk.
    if (!CloseHandle(file_.release())) {
        discard();
        return false;
    }
    if (!MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        discard();
        return false;
    }
    path_.clear();
    return true;
}

}  // namespace zelko
