#include "shred/core/FreeSpaceWipe.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/ListedFile.h"
#include "framework/UniqueHandle.h"
#include "shred/core/OverwriteBuffers.h"
#include "shred/core/WipeFolder.h"

namespace scw {

namespace {

// Large writes keep the fill near the disk's own speed; the pattern is the shredder's 64 KiB block
// repeated.
constexpr DWORD kWriteBytes = 1u << 20;
// A small file's data fits in its 1 KiB record beside its 8.3 name (names of that form get no
// second, short name) and the record's other parts.
constexpr DWORD kRecordPayload = 720;
constexpr unsigned kMostRecords = 9'999'999;

bool IsDiskFull(DWORD error) { return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL; }

bool Signalled(HANDLE event) { return event && ::WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

// One method's blocks at the fill's write size, taken from the page allocator (aligned for
// unbuffered writes).
class FillBlocks {
public:
    ~FillBlocks() {
        for (unsigned char* block : blocks_)
            if (block) ::VirtualFree(block, 0, MEM_RELEASE);
    }
    bool Prepare(int passes) {
        OverwriteBuffers patterns;
        if (!patterns.Prepare(passes)) return false;
        for (BlockKind kind : {BlockKind::Random, BlockKind::Zero, BlockKind::One}) {
            const unsigned char* pattern = patterns.Block(kind);
            if (!pattern) continue;
            auto* block = static_cast<unsigned char*>(
                ::VirtualAlloc(nullptr, kWriteBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
            if (!block) return false;
            for (DWORD at = 0; at < kWriteBytes; at += OverwriteBuffers::kBlockSize)
                std::memcpy(block + at, pattern, OverwriteBuffers::kBlockSize);
            blocks_[static_cast<int>(kind)] = block;
        }
        return true;
    }
    const unsigned char* Block(BlockKind kind) const { return blocks_[static_cast<int>(kind)]; }

private:
    unsigned char* blocks_[3] = {};
};

struct FillFile {
    UniqueFileHandle handle;
    std::uint64_t size = 0;
};

class Filler {
public:
    Filler(const std::wstring& folder, const WipeVolume& volume, const FillBlocks& blocks, HANDLE stop,
           WipeView& view, const WipeOptions& options, WipeSummary& summary)
        : folder_(folder), volume_(volume), blocks_(blocks), stop_(stop), view_(view), options_(options),
          summary_(summary) {}

    // The first pass fills the free space; every further pass writes the same files again.
    void Fill(const std::vector<BlockKind>& plan) {
        for (size_t pass = 0; pass < plan.size() && Going(); ++pass) {
            view_.WipePhaseChanged(WipePhase::Filling, static_cast<int>(pass) + 1);
            if (pass == 0) FillFirst(blocks_.Block(plan[pass]));
            else Rewrite(blocks_.Block(plan[pass]));
        }
    }

    void FillRecords(const unsigned char* payload) {
        if (!Going()) return;
        view_.WipePhaseChanged(WipePhase::Records, 0);
        GiveRoomForNames();
        // First every free record is taken, while there is room for the names; then, with the disk
        // full again, each record's data is written: data that does not fit in the record cannot
        // spill into a cluster but fails, and is written again shorter.
        std::vector<std::wstring> names;
        for (unsigned number = 1; number <= kMostRecords && Going(); ++number) {
            const std::wstring name = RecordFileName(number);
            UniqueFileHandle file(::CreateFileW((folder_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
            if (!file) break;
            names.push_back(name);
            ++summary_.recordsFilled;
            if (summary_.recordsFilled % 64 == 0) view_.WipeRecords(summary_.recordsFilled);
        }
        view_.WipeRecords(summary_.recordsFilled);
        DWORD size = kRecordPayload;
        for (const std::wstring& name : names) {
            if (!Going()) return;
            UniqueFileHandle file(::CreateFileW((folder_ + name).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
            if (!file) continue;
            while (size > 0 && !WriteWhole(file.Get(), payload, size)) {
                size = size > 16 ? size - 16 : 0;
                Cut(file.Get(), 0);
            }
            ::FlushFileBuffers(file.Get());
        }
    }

    // The fill files are closed before they are deleted.
    void CloseAll() { files_.clear(); }

private:
    bool Going() {
        if (summary_.stopped || summary_.error) return false;
        if (Signalled(stop_)) summary_.stopped = true;
        return !summary_.stopped;
    }

    void Wrote(DWORD bytes) {
        summary_.bytesWritten += bytes;
        view_.WipeProgress(summary_.bytesWritten);
    }

    // Opens the next fill file; false when there is no room even for its name.
    bool OpenNext() {
        const std::wstring path = folder_ + FillFileName(static_cast<unsigned>(files_.size()) + 1);
        FillFile file;
        file.handle.Reset(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_NO_BUFFERING | FILE_FLAG_WRITE_THROUGH,
                                        nullptr));
        if (!file.handle) {
            const DWORD error = ::GetLastError();
            if (!IsDiskFull(error)) summary_.error = error ? error : ERROR_WRITE_FAULT;
            return false;
        }
        files_.push_back(std::move(file));
        return true;
    }

    void FillFirst(const unsigned char* block) {
        DWORD chunk = kWriteBytes;
        while (Going()) {
            if (files_.empty() || files_.back().size + chunk > options_.fileLimit) {
                if (!files_.empty()) ::FlushFileBuffers(files_.back().handle.Get());
                if (!OpenNext()) return;
            }
            FillFile& file = files_.back();
            DWORD done = 0;
            const bool ok = ::WriteFile(file.handle.Get(), block, chunk, &done, nullptr) != 0;
            const DWORD error = ok ? 0 : ::GetLastError();
            if (done > 0) {
                file.size += done;
                Wrote(done);
            }
            if (ok && done == chunk) continue;
            // A short write is the disk running out: what follows would no longer be aligned.
            if (done > 0) break;
            if (!ok && !IsDiskFull(error)) {
                summary_.error = error ? error : ERROR_WRITE_FAULT;
                return;
            }
            // Full for this size: the last free clusters take smaller aligned writes.
            if (chunk <= volume_.sectorBytes) break;
            chunk /= 2;
        }
        if (!files_.empty()) ::FlushFileBuffers(files_.back().handle.Get());
    }

    void Rewrite(const unsigned char* block) {
        for (FillFile& file : files_) {
            LARGE_INTEGER start{};
            if (!::SetFilePointerEx(file.handle.Get(), start, nullptr, FILE_BEGIN)) {
                summary_.error = ::GetLastError();
                return;
            }
            std::uint64_t at = 0;
            while (at < file.size) {
                if (!Going()) return;
                // Unbuffered writes take whole sectors; a tail left by a short write stays as written.
                const DWORD chunk = static_cast<DWORD>(std::min<std::uint64_t>(file.size - at, kWriteBytes)) /
                                    volume_.sectorBytes * volume_.sectorBytes;
                if (chunk == 0) break;
                DWORD done = 0;
                if (!::WriteFile(file.handle.Get(), block, chunk, &done, nullptr) || done == 0) {
                    summary_.error = ::GetLastError() ? ::GetLastError() : ERROR_WRITE_FAULT;
                    return;
                }
                at += done;
                Wrote(done);
            }
            if (!::FlushFileBuffers(file.handle.Get())) {
                summary_.error = ::GetLastError();
                return;
            }
        }
    }

    // The folder's name index grows as the record files are made: a little of the filled space is
    // given back for it (the last fill file is cut).
    void GiveRoomForNames() {
        std::uint64_t room = options_.indexRoom
                                 ? options_.indexRoom
                                 : std::clamp<std::uint64_t>(volume_.totalBytes / 4096, 256 * 1024, 4 << 20);
        for (auto file = files_.rbegin(); file != files_.rend() && room > 0; ++file) {
            const std::uint64_t cut = std::min(room, file->size) / volume_.sectorBytes * volume_.sectorBytes;
            if (cut == 0) continue;
            if (Cut(file->handle.Get(), file->size - cut)) {
                file->size -= cut;
                room -= cut;
            }
        }
    }

    static bool Cut(HANDLE file, std::uint64_t size) {
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(size);
        return ::SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
    }

    static bool WriteWhole(HANDLE file, const unsigned char* data, DWORD size) {
        DWORD done = 0;
        return ::WriteFile(file, data, size, &done, nullptr) && done == size;
    }

    const std::wstring& folder_;
    const WipeVolume& volume_;
    const FillBlocks& blocks_;
    HANDLE stop_;
    WipeView& view_;
    const WipeOptions& options_;
    WipeSummary& summary_;
    std::vector<FillFile> files_;
};

WipeSummary Ended(WipeSummary summary, ULONGLONG startedAt, WipeView& view) {
    summary.milliseconds = static_cast<DWORD>(::GetTickCount64() - startedAt);
    view.WipeEnded(summary);
    return summary;
}

}  // namespace

std::wstring WipeSummary::Problem() const {
    if (!failure.empty()) return failure;
    if (!cleanedUp)
        return L"Some of the wipe's files could not be deleted: remove the folder \"" + root + kWipeFolderName +
               L"\" to free the space.";
    if (stopped) return L"The wipe was stopped; its files were deleted again.";
    if (error) return L"The wipe ended early: " + SystemErrorText(error) + L". Its files were deleted again.";
    return L"";
}

WipeSummary WipeFreeSpace(const std::wstring& drive, int passes, HANDLE stopEvent, WipeView& view,
                          const WipeOptions& options) {
    const ULONGLONG startedAt = ::GetTickCount64();
    WipeSummary summary;
    summary.passes = passes;
    VolumeCheck check = CheckWipeVolume(drive);
    summary.root = check.volume.root;
    if (!check.Ok()) {
        summary.failure = check.Reason();
        return Ended(summary, startedAt, view);
    }
    if (!IsShredMethod(passes)) {
        summary.failure = L"a wipe writes 1, 3 or 7 passes";
        return Ended(summary, startedAt, view);
    }
    const std::wstring& root = summary.root;
    std::optional<WipeDriveLock> lock = WipeDriveLock::Take(root);
    if (!lock) {
        summary.failure = L"another wipe of " + root + L" is running";
        return Ended(summary, startedAt, view);
    }
    // What a killed wipe left goes first: it is part of the free space to wipe.
    const LeftoverReport old = RemoveWipeLeftovers(root);
    summary.leftoversRemoved = old.removed;
    if (old.found && !old.folderRemoved) {
        summary.failure = L"the folder \"" + WipeFolderOf(root) +
                          L"\" holds something that is not the wipe's (or is a link); move it away first";
        return Ended(summary, startedAt, view);
    }
    check = CheckWipeVolume(root);
    if (!check.Ok()) {
        summary.failure = check.Reason();
        return Ended(summary, startedAt, view);
    }
    summary.freeBefore = check.volume.freeBytes;
    FillBlocks blocks;
    if (!blocks.Prepare(passes)) {
        summary.failure = L"no memory for the blocks to write";
        return Ended(summary, startedAt, view);
    }
    const std::wstring folder = WipeFolderOf(root);
    if (!::CreateDirectoryW(folder.c_str(), nullptr)) {
        summary.failure = L"the folder \"" + folder + L"\" could not be made: " + SystemErrorText(::GetLastError());
        return Ended(summary, startedAt, view);
    }
    // Written only where the name says: a folder that leads anywhere else is not filled.
    const std::optional<std::wstring> listed = ListingFolder(folder);
    if (!listed || *listed != folder) {
        summary.failure = L"the folder \"" + folder + L"\" is not on " + root;
        if (listed) RemoveListedFolder(*listed);
        return Ended(summary, startedAt, view);
    }

    view.WipeStarted(check.volume, check.volume.freeBytes * static_cast<std::uint64_t>(passes));
    const std::vector<BlockKind> plan = PassPlan(passes);
    Filler filler(folder, check.volume, blocks, stopEvent, view, options, summary);
    filler.Fill(plan);
    if (check.volume.IsNtfs()) {
        const ULONGLONG recordsFrom = ::GetTickCount64();
        filler.FillRecords(blocks.Block(plan.back()));
        summary.recordMilliseconds = static_cast<DWORD>(::GetTickCount64() - recordsFrom);
    }
    filler.CloseAll();

    view.WipePhaseChanged(WipePhase::CleaningUp, 0);
    const LeftoverReport mine = RemoveWipeLeftovers(root);
    summary.cleanedUp = mine.folderRemoved;
    if (!summary.stopped && Signalled(stopEvent)) summary.stopped = true;
    return Ended(summary, startedAt, view);
}

}  // namespace scw
