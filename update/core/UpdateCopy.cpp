#include "update/core/UpdateCopy.h"

#include <windows.h>

#include "engine/ListedFile.h"
#include "engine/Targets.h"
#include "framework/UniqueHandle.h"

namespace scw {

namespace {

// A name beside the copy that no one else uses: made with CREATE_NEW, so it can never be an
// existing file or a link someone planted.
UniqueFileHandle CreateFresh(const std::wstring& folder, const std::wstring& name, std::wstring& created) {
    for (unsigned attempt = 0; attempt < 16; ++attempt) {
        created = folder + name + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                  std::to_wstring(::GetTickCount64() + attempt) + L".new";
        if (created.size() > kMaxPathChars) return UniqueFileHandle();
        UniqueFileHandle file(
            ::CreateFileW(created.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file || ::GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return UniqueFileHandle();
}

}  // namespace

bool ReplaceUpdateCopy(const std::wstring& path, const std::string& body) {
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash + 1 == path.size()) return false;
    const std::wstring name = path.substr(slash + 1);
    // Where the folder really is. A folder reached through a link is not written into: the
    // system does not always show a folder link as one once it is opened (Wine), so its final
    // path must be the one it is called by.
    const std::wstring spelled = path.substr(0, slash + 1);
    const std::optional<std::wstring> folder = ListingFolder(spelled);
    if (!folder || ::CompareStringOrdinal(folder->c_str(), static_cast<int>(folder->size()), spelled.c_str(),
                                          static_cast<int>(spelled.size()), TRUE) != CSTR_EQUAL)
        return false;
    const std::wstring target = *folder + name;
    {
        // Only a plain file under its own name, or none at all, is ours to replace. A read-only
        // copy is kept: not every file system refuses to replace one (an administrator's may not).
        const ListedFile existing = ListedFile::Open(target);
        if (!existing.Ok() && existing.Check().refusal != DeleteRefusal::Gone) return false;
        if (existing.Ok() && (existing.Info().dwFileAttributes & FILE_ATTRIBUTE_READONLY)) return false;
    }

    std::wstring freshPath;
    UniqueFileHandle fresh = CreateFresh(*folder, name, freshPath);
    if (!fresh) return false;
    DWORD written = 0;
    const bool whole = ::WriteFile(fresh.Get(), body.data(), static_cast<DWORD>(body.size()), &written, nullptr) &&
                       written == body.size() && ::FlushFileBuffers(fresh.Get());
    fresh.Reset();
    // The rename replaces the name itself: should update.ini have become a link since the check,
    // the link goes and what it points to stays as it was.
    ListedFile copy = ListedFile::Open(freshPath);
    if (whole && copy.Ok() && copy.RenameTo(name, true) == 0) return true;
    copy.Close();
    DeleteListedFile(freshPath);
    return false;
}

}  // namespace scw
