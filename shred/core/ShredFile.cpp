#include "shred/core/ShredFile.h"

#include <algorithm>
#include <random>

namespace scw {

namespace {

bool StopRequested(HANDLE stopEvent) { return stopEvent && ::WaitForSingleObject(stopEvent, 0) == WAIT_OBJECT_0; }

FileOutcome RefusedOutcome(const ShredCheck& check) {
    FileOutcome outcome;
    outcome.check = check;
    const bool leftAlone = check.refusal == ShredRefusal::Link || check.refusal == ShredRefusal::Folder ||
                           check.refusal == ShredRefusal::Moved;
    outcome.result = leftAlone ? FileResult::Refused : FileResult::PassFailed;
    return outcome;
}

// One pass over the whole file from its start; Shredded when it was written and flushed.
FileOutcome WritePass(HANDLE file, std::uint64_t size, const unsigned char* block, const PassContext& context) {
    FileOutcome outcome;
    LARGE_INTEGER zero{};
    if (!::SetFilePointerEx(file, zero, nullptr, FILE_BEGIN)) {
        outcome.result = FileResult::PassFailed;
        outcome.error = ::GetLastError();
        return outcome;
    }
    std::uint64_t offset = 0;
    while (offset < size) {
        if (StopRequested(context.stopEvent)) {
            outcome.result = FileResult::Stopped;
            return outcome;
        }
        const DWORD chunk = static_cast<DWORD>(std::min<std::uint64_t>(size - offset, OverwriteBuffers::kBlockSize));
        DWORD done = 0;
        if (!::WriteFile(file, block, chunk, &done, nullptr) || done == 0) {
            outcome.result = FileResult::PassFailed;
            const DWORD error = ::GetLastError();
            outcome.error = error ? error : ERROR_WRITE_FAULT;
            return outcome;
        }
        offset += done;
        outcome.written += done;
        if (context.onWritten) context.onWritten(done);
        ::Sleep(0);
    }
    if (!::FlushFileBuffers(file)) {
        outcome.result = FileResult::PassFailed;
        outcome.error = ::GetLastError();
    }
    return outcome;
}

// Cuts the file to nothing so its old size does not outlive it.
void Truncate(HANDLE file) {
    LARGE_INTEGER zero{};
    if (::SetFilePointerEx(file, zero, nullptr, FILE_BEGIN) && ::SetEndOfFile(file)) ::FlushFileBuffers(file);
}

// Renames the open file at random within its folder, then deletes it, both through its handle;
// 0 or the system's error. On an error it keeps (or gets back) its name where it can.
DWORD RemoveThroughHandle(ListedFile& file, std::wstring& leftName) {
    const std::wstring path = file.Path();
    const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::wstring random = RandomNameLike(name);
        if (random == name) continue;
        const DWORD error = file.RenameTo(random);
        if (!error) break;
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) break;
    }
    // Accepted is done: a program that holds the file with delete sharing keeps it, under the
    // random name and cut to nothing, only until it lets go.
    const DeleteOutcome deleted = file.Delete(false);
    if (deleted.Deleted()) return 0;
    DWORD error = deleted.error ? deleted.error : ERROR_ACCESS_DENIED;
    // Back under the name the list shows, so the row still finds it.
    const std::wstring now = file.Path();
    std::wstring currentName = now.substr(now.find_last_of(L'\\') + 1);
    if (currentName != name && !file.RenameTo(name)) currentName = name;
    leftName = currentName;
    return error;
}

// Removes the name of a file that was written through a handle without delete access: opened
// again, through the same check, to be renamed and deleted.
DWORD RemoveAfterwards(const std::wstring& listedPath, std::wstring& leftName) {
    ShredTarget again = OpenShredTarget(listedPath, 0);
    if (again.check.Ok() && again.removable) return RemoveThroughHandle(again.file, leftName);
    leftName = listedPath.substr(listedPath.find_last_of(L'\\') + 1);
    const DWORD error = again.check.error;
    return error ? error : again.check.refusal == ShredRefusal::Locked ? ERROR_SHARING_VIOLATION : ERROR_ACCESS_DENIED;
}

FileOutcome RemoveName(ShredTarget& target, const std::wstring& listedPath, FileResult success,
                       std::uint64_t written) {
    FileOutcome outcome;
    outcome.written = written;
    outcome.error = target.removable ? RemoveThroughHandle(target.file, outcome.leftName) : 0;
    if (!target.removable) {
        target.file.Close();
        outcome.error = RemoveAfterwards(listedPath, outcome.leftName);
    }
    outcome.result = outcome.error ? FileResult::RemoveFailed : success;
    return outcome;
}

}  // namespace

std::wstring FileOutcome::Reason() const {
    switch (result) {
    case FileResult::Shredded: return L"";
    case FileResult::NameRemoved: return L"hard link";
    case FileResult::Stopped: return L"stopped";
    case FileResult::Refused: return RefusalText(check);
    case FileResult::PassFailed:
    case FileResult::RemoveFailed:
        return check.Ok() ? SystemMessage(error) : RefusalText(check);
    }
    return L"";
}

std::wstring RandomNameLike(const std::wstring& name) {
    static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 generator(seed());
    std::uniform_int_distribution<int> pick(0, 35);
    std::wstring random(name.size(), L'a');
    for (wchar_t& c : random) c = kLetters[pick(generator)];
    return random;
}

DWORD RemoveFileName(const std::wstring& listedPath, std::wstring& leftName) {
    return RemoveAfterwards(listedPath, leftName);
}

FileOutcome ShredFile(const std::wstring& listedPath, const std::vector<BlockKind>& plan, const PassContext& context) {
    ShredTarget target = OpenShredTarget(listedPath, GENERIC_WRITE);
    if (!target.check.Ok()) return RefusedOutcome(target.check);
    // Its content is also the content of names the user did not choose.
    if (target.check.links != 1) return RemoveName(target, listedPath, FileResult::NameRemoved, 0);
    std::uint64_t written = 0;
    for (BlockKind kind : plan) {
        FileOutcome pass = WritePass(target.file.Handle(), target.check.size, context.buffers->Block(kind), context);
        written += pass.written;
        if (pass.result != FileResult::Shredded) {
            pass.written = written;
            return pass;
        }
    }
    Truncate(target.file.Handle());
    return RemoveName(target, listedPath, FileResult::Shredded, written);
}

}  // namespace scw
