#include "shred/core/ShredFile.h"

#include <algorithm>
#include <random>

namespace scw {

namespace {

bool StopRequested(HANDLE stopEvent) { return stopEvent && ::WaitForSingleObject(stopEvent, 0) == WAIT_OBJECT_0; }

FileOutcome RefusedOutcome(const ShredCheck& check) {
    FileOutcome outcome;
    outcome.check = check;
    const bool leftAlone = check.refusal == ShredRefusal::Link || check.refusal == ShredRefusal::Folder;
    outcome.result = leftAlone ? FileResult::Refused : FileResult::PassFailed;
    return outcome;
}

// One pass over the whole file; Shredded when it was written and flushed.
FileOutcome WritePass(HANDLE file, std::uint64_t size, const unsigned char* block, const PassContext& context) {
    FileOutcome outcome;
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

// Cuts the file to nothing so its old size does not outlive it. False when it became a link or
// a folder meanwhile: then it is left alone.
bool TruncateUnlessLink(const std::wstring& fullPath, ShredCheck& check) {
    ShredTarget target = OpenShredTarget(fullPath, GENERIC_WRITE);
    check = target.check;
    if (check.refusal == ShredRefusal::Link || check.refusal == ShredRefusal::Folder) return false;
    if (!target.check.Ok() || target.check.links != 1) return true;  // the deletion will tell
    LARGE_INTEGER zero{};
    if (::SetFilePointerEx(target.handle.Get(), zero, nullptr, FILE_BEGIN) && ::SetEndOfFile(target.handle.Get()))
        ::FlushFileBuffers(target.handle.Get());
    return true;
}

FileOutcome RemoveName(const std::wstring& fullPath, FileResult success, std::uint64_t written) {
    FileOutcome outcome;
    outcome.written = written;
    outcome.error = RemoveFileName(fullPath, outcome.leftName);
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

DWORD RemoveFileName(const std::wstring& fullPath, std::wstring& leftName) {
    const size_t slash = fullPath.find_last_of(L'\\');
    const std::wstring folder = fullPath.substr(0, slash + 1);
    const std::wstring name = fullPath.substr(slash + 1);
    std::wstring current = fullPath;
    std::wstring currentName = name;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::wstring random = RandomNameLike(name);
        if (random == name) continue;
        if (::MoveFileExW(fullPath.c_str(), (folder + random).c_str(), 0)) {
            current = folder + random;
            currentName = random;
            break;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) break;
    }
    // Accepted is done: a program that holds the file with delete sharing keeps it, under the
    // random name and cut to nothing, only until it lets go.
    if (::DeleteFileW(current.c_str())) return 0;
    DWORD error = ::GetLastError();
    if (error == 0) error = ERROR_ACCESS_DENIED;
    // Back under the name the list shows, so the row still finds it.
    if (current != fullPath && ::MoveFileExW(current.c_str(), fullPath.c_str(), 0)) currentName = name;
    leftName = currentName;
    return error;
}

FileOutcome ShredFile(const std::wstring& fullPath, const std::vector<BlockKind>& plan, const PassContext& context) {
    std::uint64_t written = 0;
    for (BlockKind kind : plan) {
        ShredTarget target = OpenShredTarget(fullPath, GENERIC_WRITE);
        if (!target.check.Ok()) {
            FileOutcome outcome = RefusedOutcome(target.check);
            outcome.written = written;
            return outcome;
        }
        if (target.check.links != 1) {
            // Its content is also the content of names the user did not choose.
            target.handle.Reset();
            return RemoveName(fullPath, FileResult::NameRemoved, written);
        }
        FileOutcome pass = WritePass(target.handle.Get(), target.check.size, context.buffers->Block(kind), context);
        written += pass.written;
        if (pass.result != FileResult::Shredded) {
            pass.written = written;
            return pass;
        }
    }
    ShredCheck check;
    if (!TruncateUnlessLink(fullPath, check)) {
        FileOutcome outcome = RefusedOutcome(check);
        outcome.written = written;
        return outcome;
    }
    return RemoveName(fullPath, FileResult::Shredded, written);
}

}  // namespace scw
