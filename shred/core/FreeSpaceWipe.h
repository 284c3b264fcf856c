#pragma once
// The free-space wipe: fills a drive's free space with files of its own, written past the cache
// (unbuffered, write-through, aligned blocks) with random data or the passes of one of the
// shredder's methods, each pass flushed; on NTFS it then fills the free file records with small
// files, since a small deleted file lives inside its old record; then it deletes everything it
// made. The disk is full only while the fill runs: a stop, a failure or the end all clean up.
#include <windows.h>

#include <cstdint>
#include <string>

#include "shred/core/WipeVolume.h"

namespace scw {

enum class WipePhase { Filling, Records, CleaningUp };

struct WipeSummary {
    std::wstring root;
    int passes = 1;
    std::uint64_t freeBefore = 0;
    std::uint64_t bytesWritten = 0;   // over all passes
    std::uint64_t recordsFilled = 0;  // small files that took a free file record
    std::uint64_t leftoversRemoved = 0;  // files an earlier, killed wipe had left
    DWORD milliseconds = 0;
    DWORD recordMilliseconds = 0;  // of which the record fill
    bool stopped = false;
    DWORD error = 0;          // what ended the fill early, other than a full disk
    std::wstring failure;     // why nothing was wiped (the drive, the folder, the memory)
    bool cleanedUp = true;    // everything the wipe made is gone again
    bool Ok() const { return !stopped && error == 0 && failure.empty() && cleanedUp; }
    // Empty when Ok; else a sentence saying what went wrong.
    std::wstring Problem() const;
};

// What a wipe shows while it works; every call comes from the wipe's thread.
class WipeView {
public:
    virtual ~WipeView() = default;
    // The bytes the fill expects to write: the free space times the passes.
    virtual void WipeStarted(const WipeVolume& volume, std::uint64_t expectedBytes) = 0;
    virtual void WipePhaseChanged(WipePhase phase, int pass) = 0;
    // Bytes written over all passes so far.
    virtual void WipeProgress(std::uint64_t bytesWritten) = 0;
    virtual void WipeRecords(std::uint64_t recordsFilled) = 0;
    virtual void WipeEnded(const WipeSummary& summary) = 0;
};

struct WipeOptions {
    // Fill files are cut at this size (FAT drives take no file of 4 GiB).
    std::uint64_t fileLimit = 1ull << 30;
    // Free space given back before the record fill, so the folder's name index can grow (once
    // the free records are taken, the file table may grow into it: that much free space stays
    // with the file table). Zero: a share of the drive, between 256 KiB and 4 MiB.
    std::uint64_t indexRoom = 0;
};

// Wipes the free space of the drive named ("D:" or "D:\"), stopped by the event (may be null).
WipeSummary WipeFreeSpace(const std::wstring& drive, int passes, HANDLE stopEvent, WipeView& view,
                          const WipeOptions& options = {});

}  // namespace scw
