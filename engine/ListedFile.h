#pragma once
// Deleting exactly the file that was listed. A listing records each file's final path once (where
// it really is, links resolved, as the scan, search or Add saw it). The delete opens that path
// once without following a final link, checks through that handle that it is still the listed
// file (its final path equal to the recorded one, letter for letter: a link to "Secret.txt" must
// not pass for "secret.txt" on a disk that tells them apart), and deletes through the same
// handle, so nothing can change between the check and the delete. Every deletion of the program
// goes through here.
#include <windows.h>

#include <optional>
#include <string>

#include "framework/UniqueHandle.h"

namespace scw {

// Why a listed file or folder was not deleted.
enum class DeleteRefusal {
    None,      // deleted
    Gone,      // no longer there: nothing was left behind
    Link,      // a link, or a name that leads to another file
    Moved,     // its folder now leads somewhere else (renamed, or swapped for a link)
    Folder,    // a folder where a file was listed, or a file where a folder was
    NotEmpty,  // a folder that still holds something
    TooLong,   // over the platform's path limit: never cut into another path
    Locked,    // another program holds it
    Denied,    // access denied, or read-only and not to be cleared
    Other,     // the system's error says why
};

struct DeleteOutcome {
    DeleteRefusal refusal = DeleteRefusal::None;
    DWORD error = 0;  // the system's code, where there is one
    bool Deleted() const { return refusal == DeleteRefusal::None; }
    // "link", "moved", "gone", "folder", "not empty", "too long", "locked", "denied" or the
    // system's message; empty when deleted.
    std::wstring Reason() const;
    static DeleteOutcome Refused(DeleteRefusal why, DWORD code = 0) { return {why, code}; }
    static DeleteOutcome OfError(DWORD code);
};

// The system's text for an error code, without the closing full stop and line break.
std::wstring SystemErrorText(DWORD error);

// The final path of a folder about to be listed, ending in a backslash: the start of every path
// the listing records. Nothing when it cannot be opened or is itself a link.
std::optional<std::wstring> ListingFolder(const std::wstring& folder);

// A listed file opened for its check: the handle it was judged by. Move-only.
class ListedFile {
public:
    // Opens `listedPath` without following a final link, asking for `access` plus attribute
    // access (and DELETE unless `withDelete` is false: then it cannot be renamed or deleted
    // through this handle), sharing `share`, and checks it: a plain file (not a folder, not a
    // link) whose handle's final path is exactly `listedPath`.
    static ListedFile Open(const std::wstring& listedPath, DWORD access = 0,
                           DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           bool withDelete = true);

    const DeleteOutcome& Check() const { return check_; }
    bool Ok() const { return check_.Deleted(); }
    HANDLE Handle() const { return handle_.Get(); }
    // Attributes, times, size and number of names (not the volume serial or file index).
    const BY_HANDLE_FILE_INFORMATION& Info() const { return info_; }
    std::uint64_t Size() const;
    const std::wstring& Path() const { return path_; }

    // Renames the file within its folder through the handle; 0 or the system's error. Path()
    // follows the rename. With `replaceExisting` a file of that name is replaced: its name goes,
    // whatever it is (a link is replaced, never written through).
    DWORD RenameTo(const std::wstring& newName, bool replaceExisting = false);
    // Marks the file for deletion through the handle (it goes when the handle closes, which this
    // does). A read-only file is cleared first only when asked; else it counts as Denied.
    DeleteOutcome Delete(bool clearReadOnly);
    void Close() { handle_.Reset(); }

private:
    UniqueFileHandle handle_;
    DeleteOutcome check_;
    BY_HANDLE_FILE_INFORMATION info_{};
    std::wstring path_;
};

class HeldFolder;

struct DeleteOptions {
    bool clearReadOnly = false;      // a read-only file is made writable first
    bool queueLockedForRestart = false;  // a checked file in use goes at the next restart
    // Overwritten once with random data before it goes (see OverwriteDelete.h); a file that
    // cannot be overwritten stays, and is never queued for a restart.
    bool overwrite = false;
    // The held folder the file was listed in, when the caller holds it: the file is then opened
    // through the folder's handle, which spares the system looking up the folder again.
    const HeldFolder* within = nullptr;
};

// Opens `name`, a file's own name, in an open folder: a plain file only (never a folder), not
// following a final link where the system knows links. Spares the system a lookup of the folder.
UniqueFileHandle OpenFileIn(HANDLE folder, const std::wstring& name, DWORD access);

// The path a listing records for one file named by its path: its folder's final path (links on
// the way resolved) and its name exactly as given (a name in another letter case than the
// file's is then refused by the check, never taken for a sibling). Nothing for a path that names
// no file (or a wildcard); a link keeps its own name, so its check refuses it.
std::optional<std::wstring> ListingFile(const std::wstring& path);

// Opens, checks and deletes one listed file.
DeleteOutcome DeleteListedFile(const std::wstring& listedPath, const DeleteOptions& options = {});

// A folder held open without delete sharing while its files are deleted, so no other program can
// rename it or swap it for a link mid-run. Move-only; lets go when destroyed.
class HeldFolder {
public:
    // Holds the folder when it is a folder (not a link) whose final path is exactly
    // `listedFolder` (its trailing backslash optional).
    static HeldFolder Hold(const std::wstring& listedFolder);

    const DeleteOutcome& Check() const { return check_; }
    bool Held() const { return check_.Deleted(); }
    // The folder as recorded, ending in a backslash.
    const std::wstring& Path() const { return path_; }
    HANDLE Handle() const { return handle_.Get(); }
    // Removes the held folder when it is empty, through a handle checked as the hold was; lets
    // it go either way.
    DeleteOutcome RemoveIfEmpty();

private:
    static HeldFolder HoldWith(const std::wstring& listedFolder, DWORD extraAccess);

    UniqueFileHandle handle_;
    DeleteOutcome check_;
    std::wstring path_;
};

// Removes an emptied folder that was listed, through the same check: a folder link is never
// followed into its target, and a folder that still holds anything stays.
DeleteOutcome RemoveListedFolder(const std::wstring& listedFolder);

// Queues a checked file that is in use for deletion at the next restart. Only after the check:
// the path is looked up again then, so it is queued only while it names the listed file.
bool QueueListedFileForRestart(const std::wstring& listedPath);

}  // namespace scw
