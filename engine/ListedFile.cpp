#include "engine/ListedFile.h"

#include <winternl.h>

#include <vector>

#include "engine/FinalPath.h"
#include "engine/HostRoots.h"
#include "engine/OverwriteDelete.h"
#include "engine/Targets.h"

namespace scw {

namespace {

// The folder as the system is asked about it: without its trailing backslash, but for a root's.
std::wstring WithoutSlash(std::wstring folder) {
    while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    return folder;
}

std::wstring WithSlash(std::wstring folder) {
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return folder;
}

// Opens a name itself: a link is opened as the link where the system knows links, never as what
// it points to, and a folder opens as well as a file.
UniqueFileHandle OpenItself(const std::wstring& path, DWORD access, DWORD share) {
    return UniqueFileHandle(::CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

bool SameText(const std::wstring& a, const std::wstring& b) { return a == b; }

// A handle that does not lead to the listed path: Moved when the listed folder itself now leads
// elsewhere, else Link (the name leads to another file).
DeleteOutcome Mismatch(const std::wstring& listedPath) {
    const size_t slash = listedPath.find_last_of(L'\\', listedPath.size() - 2);
    if (slash != std::wstring::npos) {
        const std::wstring listedFolder = listedPath.substr(0, slash + 1);
        const std::wstring now = FinalPathOf(WithoutSlash(listedFolder));
        if (!SameText(WithSlash(now), listedFolder)) return DeleteOutcome::Refused(DeleteRefusal::Moved);
    }
    return DeleteOutcome::Refused(DeleteRefusal::Link);
}

// What the check needs of an open file: attributes, times, size and number of names. Asked of the
// file alone: the system's all-in-one query also asks the volume for its serial number, which
// under Wine is a round trip to another process and made each delete several times slower.
bool QueryFile(HANDLE handle, BY_HANDLE_FILE_INFORMATION& info) {
    FILE_BASIC_INFO basic{};
    FILE_STANDARD_INFO standard{};
    if (!::GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof(basic)) ||
        !::GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof(standard)))
        return false;
    info = {};
    info.dwFileAttributes = basic.FileAttributes;
    auto toFileTime = [](const LARGE_INTEGER& time) {
        return FILETIME{static_cast<DWORD>(time.LowPart), static_cast<DWORD>(time.HighPart)};
    };
    info.ftCreationTime = toFileTime(basic.CreationTime);
    info.ftLastAccessTime = toFileTime(basic.LastAccessTime);
    info.ftLastWriteTime = toFileTime(basic.LastWriteTime);
    info.nFileSizeHigh = static_cast<DWORD>(standard.EndOfFile.QuadPart >> 32);
    info.nFileSizeLow = static_cast<DWORD>(standard.EndOfFile.QuadPart & 0xFFFFFFFF);
    info.nNumberOfLinks = standard.NumberOfLinks;
    return true;
}

bool SetDeleteDisposition(HANDLE handle) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    return ::SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof(disposition)) != 0;
}

bool SetAttributes(HANDLE handle, DWORD attributes) {
    FILE_BASIC_INFO basic{};  // zero times stay as they are
    basic.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    return ::SetFileInformationByHandle(handle, FileBasicInfo, &basic, sizeof(basic)) != 0;
}

// The common case in the fewest questions to the system: a plain file, opened for deleting only
// (never as a folder: without backup semantics the system opens none), judged by its handle's
// final path and deleted through that handle. False, with the file untouched, at anything out of
// the ordinary (a link, a folder, read-only, locked, gone, moved): the full check then says why.
// Under Wine a file link opens as its target and no attribute of the handle ever shows a link,
// so there the final path is the whole proof; asking for attributes would cost a round trip that
// also hands this process the file's descriptor (a delete took half as long again with it).
bool DeletedIfPlain(const std::wstring& listedPath, const HeldFolder* within) {
    const bool attributesShowLinks = !RunningUnderWine();
    const DWORD access = DELETE | (attributesShowLinks ? FILE_READ_ATTRIBUTES : 0);
    const size_t nameAt = within ? within->Path().size() : 0;
    const bool inHeld = within && within->Held() && listedPath.size() > nameAt && listedPath.starts_with(within->Path()) &&
                        listedPath.find(L'\\', nameAt) == std::wstring::npos;
    UniqueFileHandle handle = inHeld ? OpenFileIn(within->Handle(), listedPath.substr(nameAt), access)
                                     : UniqueFileHandle(::CreateFileW(listedPath.c_str(), access,
                                                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                                      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT,
                                                                      nullptr));
    if (!handle) return false;
    if (attributesShowLinks) {
        FILE_ATTRIBUTE_TAG_INFO tag{};
        if (!::GetFileInformationByHandleEx(handle.Get(), FileAttributeTagInfo, &tag, sizeof(tag)) ||
            (tag.FileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)))
            return false;
    }
    // A read-only file refuses the disposition: whether its bit may go is the full path's matter.
    return SameText(FinalPathOf(handle.Get()), listedPath) && SetDeleteDisposition(handle.Get());
}

// True when the open folder holds nothing but "." and "..", asked through its handle.
bool FolderIsEmpty(HANDLE folder) {
    std::vector<unsigned char> buffer(64 * 1024);
    FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
    while (::GetFileInformationByHandleEx(folder, kind, buffer.data(), static_cast<DWORD>(buffer.size()))) {
        kind = FileIdBothDirectoryInfo;
        const unsigned char* at = buffer.data();
        for (;;) {
            const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            const std::wstring_view name(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
            if (name != L"." && name != L"..") return false;
            if (!entry->NextEntryOffset) break;
            at += entry->NextEntryOffset;
        }
    }
    return ::GetLastError() == ERROR_NO_MORE_FILES;
}

}  // namespace

UniqueFileHandle OpenFileIn(HANDLE folder, const std::wstring& name, DWORD access) {
    UNICODE_STRING unicodeName{};
    unicodeName.Buffer = const_cast<wchar_t*>(name.c_str());
    unicodeName.Length = unicodeName.MaximumLength = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    OBJECT_ATTRIBUTES attributes{};
    attributes.Length = sizeof(attributes);
    attributes.RootDirectory = folder;
    attributes.ObjectName = &unicodeName;
    IO_STATUS_BLOCK io{};
    HANDLE file = INVALID_HANDLE_VALUE;
    const NTSTATUS status = ::NtCreateFile(
        &file, access | SYNCHRONIZE, &attributes, &io, nullptr, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        FILE_OPEN, FILE_OPEN_REPARSE_POINT | FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
    return status >= 0 ? UniqueFileHandle(file) : UniqueFileHandle();
}

DeleteOutcome DeleteOutcome::OfError(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return Refused(DeleteRefusal::Gone, code);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return Refused(DeleteRefusal::Locked, code);
    case ERROR_ACCESS_DENIED:
        return Refused(DeleteRefusal::Denied, code);
    case ERROR_DIR_NOT_EMPTY:
        return Refused(DeleteRefusal::NotEmpty, code);
    default:
        return Refused(DeleteRefusal::Other, code);
    }
}

std::wstring DeleteOutcome::Reason() const {
    switch (refusal) {
    case DeleteRefusal::None: return L"";
    case DeleteRefusal::Gone: return L"gone";
    case DeleteRefusal::Link: return L"link";
    case DeleteRefusal::Moved: return L"moved";
    case DeleteRefusal::Folder: return L"folder";
    case DeleteRefusal::NotEmpty: return L"not empty";
    case DeleteRefusal::TooLong: return L"too long";
    case DeleteRefusal::Locked: return L"locked";
    case DeleteRefusal::Denied: return L"denied";
    case DeleteRefusal::Other: return SystemErrorText(error);
    }
    return L"";
}

std::wstring SystemErrorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length && text ? std::wstring(text, length) : L"error " + std::to_wstring(error);
    if (text) ::LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ' ||
                                message.back() == L'.'))
        message.pop_back();
    return message;
}

std::optional<std::wstring> ListingFolder(const std::wstring& folder) {
    if (folder.empty() || IsDevicePath(folder) || folder.size() > kMaxPathChars) return std::nullopt;
    // Where a folder link opens as its target (Wine), only its own entry shows the link.
    const std::wstring asked = WithoutSlash(folder);
    const DWORD attributes = ::GetFileAttributesW(asked.c_str());
    if (asked.size() > 3 && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return std::nullopt;
    UniqueFileHandle handle = OpenItself(asked, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle || !QueryFile(handle.Get(), info)) return std::nullopt;
    if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return std::nullopt;
    std::wstring final = FinalPathOf(handle.Get());
    if (final.empty()) return std::nullopt;
    final = WithSlash(std::move(final));
    if (final.size() > kMaxPathChars) return std::nullopt;
    return final;
}

std::optional<std::wstring> ListingFile(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash + 1 == path.size() || path.size() > kMaxPathChars || IsDevicePath(path) ||
        path.find_first_of(L"*?", slash) != std::wstring::npos)
        return std::nullopt;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
    std::wstring folder = FinalPathOf(path.substr(0, slash + 1));
    if (folder.empty()) return std::nullopt;
    // The name as given, never as a search spells it: where a disk tells letter case apart, a
    // search for "secret.txt" may answer with "Secret.txt", a file the user did not name.
    const std::wstring listed = WithSlash(std::move(folder)) + path.substr(slash + 1);
    if (listed.size() > kMaxPathChars) return std::nullopt;
    return listed;
}

ListedFile ListedFile::Open(const std::wstring& listedPath, DWORD access, DWORD share, bool withDelete) {
    ListedFile file;
    file.path_ = listedPath;
    if (listedPath.size() > kMaxPathChars) {
        file.check_ = DeleteOutcome::Refused(DeleteRefusal::TooLong);
        return file;
    }
    if (listedPath.empty() || listedPath.back() == L'\\' || IsDevicePath(listedPath)) {
        file.check_ = DeleteOutcome::Refused(DeleteRefusal::Other, ERROR_INVALID_NAME);
        return file;
    }
    UniqueFileHandle handle =
        OpenItself(listedPath, access | (withDelete ? DELETE : 0) | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, share);
    if (!handle) {
        file.check_ = DeleteOutcome::OfError(::GetLastError());
        return file;
    }
    if (!QueryFile(handle.Get(), file.info_)) {
        file.check_ = DeleteOutcome::OfError(::GetLastError());
        return file;
    }
    if (file.info_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        file.check_ = DeleteOutcome::Refused(DeleteRefusal::Link);
        return file;
    }
    if (file.info_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        file.check_ = DeleteOutcome::Refused(DeleteRefusal::Folder);
        return file;
    }
    // Where a file link shows as a plain file (Wine), its handle is its target's: the final path
    // tells them apart, and so it does for a folder on the way that was swapped for a link.
    if (!SameText(FinalPathOf(handle.Get()), listedPath)) {
        file.check_ = Mismatch(listedPath);
        return file;
    }
    file.handle_ = std::move(handle);
    return file;
}

std::uint64_t ListedFile::Size() const {
    return (static_cast<std::uint64_t>(info_.nFileSizeHigh) << 32) | info_.nFileSizeLow;
}

DWORD ListedFile::RenameTo(const std::wstring& newName, bool replaceExisting) {
    if (!Ok()) return ERROR_INVALID_HANDLE;
    const std::wstring target = path_.substr(0, path_.find_last_of(L'\\') + 1) + newName;
    // The system reads this name as its own (NT) path: "\??\" and the full path.
    const std::wstring ntName = L"\\??\\" + target;
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + ntName.size() * sizeof(wchar_t));
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = replaceExisting ? TRUE : FALSE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(ntName.size() * sizeof(wchar_t));
    memcpy(rename->FileName, ntName.c_str(), rename->FileNameLength);
    if (!::SetFileInformationByHandle(handle_.Get(), FileRenameInfo, rename, static_cast<DWORD>(buffer.size())))
        return ::GetLastError() ? ::GetLastError() : ERROR_ACCESS_DENIED;
    path_ = target;
    return 0;
}

DeleteOutcome ListedFile::Delete(bool clearReadOnly) {
    if (!Ok()) return check_;
    const DWORD attributes = info_.dwFileAttributes;
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly && !clearReadOnly) return DeleteOutcome::Refused(DeleteRefusal::Denied, ERROR_ACCESS_DENIED);
    if (readOnly && !SetAttributes(handle_.Get(), attributes & ~FILE_ATTRIBUTE_READONLY))
        return DeleteOutcome::OfError(::GetLastError());
    if (!SetDeleteDisposition(handle_.Get())) {
        const DeleteOutcome failed = DeleteOutcome::OfError(::GetLastError());
        // Still there: leave it as it was found.
        if (readOnly) SetAttributes(handle_.Get(), attributes);
        return failed;
    }
    handle_.Reset();
    return {};
}

DeleteOutcome DeleteListedFile(const std::wstring& listedPath, const DeleteOptions& options) {
    if (options.overwrite) return OverwriteListedFile(listedPath, options.clearReadOnly);
    if (listedPath.size() <= kMaxPathChars && !IsDevicePath(listedPath) && DeletedIfPlain(listedPath, options.within)) return {};
    ListedFile file = ListedFile::Open(listedPath);
    DeleteOutcome outcome = file.Ok() ? file.Delete(options.clearReadOnly) : file.Check();
    if (outcome.refusal == DeleteRefusal::Locked && options.queueLockedForRestart) {
        file.Close();
        QueueListedFileForRestart(listedPath);
    }
    return outcome;
}

HeldFolder HeldFolder::Hold(const std::wstring& listedFolder) { return HoldWith(listedFolder, 0); }

HeldFolder HeldFolder::HoldWith(const std::wstring& listedFolder, DWORD extraAccess) {
    HeldFolder folder;
    folder.path_ = WithSlash(listedFolder);
    if (folder.path_.size() > kMaxPathChars) {
        folder.check_ = DeleteOutcome::Refused(DeleteRefusal::TooLong);
        return folder;
    }
    if (IsDevicePath(folder.path_)) {
        folder.check_ = DeleteOutcome::Refused(DeleteRefusal::Other, ERROR_INVALID_NAME);
        return folder;
    }
    // Without delete sharing: no one else can rename or remove it while it is held. Only a hold
    // that is about to remove the folder asks for delete access: one that has it keeps the
    // system's own listing of the folder out (that listing does not share delete).
    UniqueFileHandle handle = OpenItself(WithoutSlash(folder.path_),
                                         FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE | extraAccess,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle || !QueryFile(handle.Get(), info)) {
        folder.check_ = DeleteOutcome::OfError(::GetLastError());
        return folder;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        folder.check_ = DeleteOutcome::Refused(DeleteRefusal::Link);
        return folder;
    }
    if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        folder.check_ = DeleteOutcome::Refused(DeleteRefusal::Folder);
        return folder;
    }
    if (!SameText(WithSlash(FinalPathOf(handle.Get())), folder.path_)) {
        folder.check_ = Mismatch(folder.path_);
        return folder;
    }
    folder.handle_ = std::move(handle);
    return folder;
}

DeleteOutcome HeldFolder::RemoveIfEmpty() {
    if (!Held()) return check_;
    // Let go and take it again with delete access, through the same check: what is removed is
    // still the listed folder, never what a link in its place leads to.
    handle_.Reset();
    check_ = DeleteOutcome::Refused(DeleteRefusal::Gone);
    HeldFolder again = HoldWith(path_, DELETE);
    if (!again.Held()) return again.check_;
    if (!FolderIsEmpty(again.handle_.Get())) return DeleteOutcome::Refused(DeleteRefusal::NotEmpty, ERROR_DIR_NOT_EMPTY);
    if (!SetDeleteDisposition(again.handle_.Get())) return DeleteOutcome::OfError(::GetLastError());
    return {};
}

DeleteOutcome RemoveListedFolder(const std::wstring& listedFolder) {
    return HeldFolder::Hold(listedFolder).RemoveIfEmpty();
}

bool QueueListedFileForRestart(const std::wstring& listedPath) {
    if (listedPath.size() > kMaxPathChars || IsDevicePath(listedPath)) return false;
    UniqueFileHandle handle = OpenItself(listedPath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle || !QueryFile(handle.Get(), info)) return false;
    if (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    if (!SameText(FinalPathOf(handle.Get()), listedPath)) return false;
    return ::MoveFileExW(listedPath.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

}  // namespace scw
