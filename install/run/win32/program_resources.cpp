#include "install/run/win32/program_resources.h"

#include "common/win32/unique_handle.h"
#include "install/resources/install_resource_ids.h"

namespace zelko {

namespace {

bool writeWholeFile(const wchar_t* path, const ProgramBytes& bytes) {
    UniqueFileHandle file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    const auto* next = static_cast<const BYTE*>(bytes.data);
    DWORD left = bytes.size;
    while (left > 0) {
        DWORD written = 0;
        if (!WriteFile(file.get(), next, left, &written, nullptr) || written == 0) {
            return false;
        }
        next += written;
        left -= written;
    }
    return FlushFileBuffers(file.get()) != 0;
}

}  // namespace

ProgramBytes programBytes(ProgramImage image) {
    const int id = image == ProgramImage::ResidentProgram ? IDR_RESIDENT_PROGRAM : IDR_UNINSTALLER;
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), PROGRAM_RESOURCE_TYPE);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = found ? SizeofResource(nullptr, found) : 0;
    if (!data || size == 0) {
        return {};
    }
    return {data, size};
}

bool writeProgramFile(ProgramImage image, const std::wstring& path) {
    const ProgramBytes bytes = programBytes(image);
    const size_t separator = path.find_last_of(L'\\');
    if (!bytes.data || separator == std::wstring::npos) {
        return false;
    }
    const std::wstring folder = path.substr(0, separator);
    wchar_t fresh[MAX_PATH] = {};
    if (GetTempFileNameW(folder.c_str(), L"zlk", 0, fresh) == 0) {
        return false;
    }
    const bool replaced =
        writeWholeFile(fresh, bytes) &&
        MoveFileExW(fresh, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!replaced) {
        DeleteFileW(fresh);
    }
    return replaced;
}

}  // namespace zelko
