#include "shred/core/WipeFolder.h"

#include <cwctype>

#include "engine/FolderWalk.h"
#include "engine/ListedFile.h"
#include "shred/core/WipeVolume.h"

namespace scw {

namespace {

std::wstring Numbered(const wchar_t* prefix, unsigned number, int digits) {
    std::wstring text = std::to_wstring(number);
    if (text.size() < static_cast<size_t>(digits)) text.insert(0, digits - text.size(), L'0');
    return prefix + text + L".tmp";
}

bool DigitsBetween(const std::wstring& name, size_t from, size_t to) {
    if (to <= from) return false;
    for (size_t i = from; i < to; ++i)
        if (!std::iswdigit(name[i])) return false;
    return true;
}

bool HasNumberedForm(const std::wstring& name, const std::wstring& prefix) {
    const std::wstring suffix = L".tmp";
    if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) || !name.ends_with(suffix))
        return false;
    return DigitsBetween(name, prefix.size(), name.size() - suffix.size());
}

class LeftoverSweep : public FolderVisitor {
public:
    LeftoverSweep(const std::wstring& folder, LeftoverReport& report) : folder_(folder), report_(report) {}

    bool OnFile(const std::wstring&, const WIN32_FIND_DATAW& entry) override {
        if (!IsWipeFileName(entry.cFileName)) {
            ++report_.kept;
            return true;
        }
        DeleteOptions options;
        options.clearReadOnly = true;  // the wipe's own files: nothing of the user's is read-only here
        const DeleteOutcome outcome = DeleteListedFile(folder_ + entry.cFileName, options);
        if (outcome.Deleted() || outcome.refusal == DeleteRefusal::Gone) ++report_.removed;
        else ++report_.kept;
        return true;
    }
    bool OnFolder(const std::wstring&, const WIN32_FIND_DATAW&) override {
        ++report_.kept;  // the wipe makes no folders: this one is someone else's
        return false;
    }

private:
    const std::wstring& folder_;
    LeftoverReport& report_;
};

std::wstring MutexNameOf(const std::wstring& root) {
    return std::wstring(L"Local\\Scourwell free space wipe ") + root.substr(0, 1);
}

}  // namespace

std::wstring WipeFolderOf(const std::wstring& root) { return root + kWipeFolderName + L"\\"; }

std::wstring FillFileName(unsigned number) { return Numbered(L"fill", number, 4); }
std::wstring RecordFileName(unsigned number) { return Numbered(L"r", number, 7); }

bool IsWipeFileName(const std::wstring& name) {
    return HasNumberedForm(name, L"fill") || HasNumberedForm(name, L"r");
}

LeftoverReport RemoveWipeLeftovers(const std::wstring& root) {
    LeftoverReport report;
    const std::wstring folder = WipeFolderOf(root);
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return report;
    report.found = true;
    // Only the folder that really is at this drive's root: a link there leads to another's files.
    const std::optional<std::wstring> listed = ListingFolder(folder);
    if (!listed || *listed != folder) {
        ++report.kept;
        return report;
    }
    LeftoverSweep sweep(*listed, report);
    WalkOptions options;
    options.recurse = false;
    options.readFolderFirst = true;
    WalkFolder(*listed, sweep, options);
    report.folderRemoved = RemoveListedFolder(*listed).Deleted();
    return report;
}

void RemoveWipeLeftoversOnAllDrives() {
    const DWORD drives = ::GetLogicalDrives();
    const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    for (int i = 0; i < 26; ++i) {
        if (!(drives & (1u << i))) continue;
        const std::wstring root{static_cast<wchar_t>(L'A' + i), L':', L'\\'};
        const UINT type = ::GetDriveTypeW(root.c_str());
        if (type != DRIVE_FIXED && type != DRIVE_REMOVABLE) continue;
        if (::GetFileAttributesW(WipeFolderOf(root).c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        std::optional<WipeDriveLock> lock = WipeDriveLock::Take(root);
        if (lock) RemoveWipeLeftovers(root);
    }
    ::SetErrorMode(oldMode);
}

std::optional<WipeDriveLock> WipeDriveLock::Take(const std::wstring& root) {
    WipeDriveLock lock;
    lock.mutex_.Reset(::CreateMutexW(nullptr, FALSE, MutexNameOf(root).c_str()));
    if (!lock.mutex_) return std::nullopt;
    const DWORD waited = ::WaitForSingleObject(lock.mutex_.Get(), 0);
    // An abandoned mutex is a wipe that was killed: its drive is free again.
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return std::nullopt;
    return lock;
}

WipeDriveLock::~WipeDriveLock() {
    if (mutex_) ::ReleaseMutex(mutex_.Get());
}

}  // namespace scw
