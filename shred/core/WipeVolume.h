#pragma once
// Which drives a free-space wipe may fill: fixed and removable drives with a letter. A network
// drive is someone else's disk, an optical one cannot be overwritten in place.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace scw {

struct WipeVolume {
    std::wstring root;        // "D:\"
    UINT driveType = DRIVE_UNKNOWN;
    std::wstring fileSystem;  // "NTFS", "FAT32", ...
    std::uint64_t freeBytes = 0;
    std::uint64_t totalBytes = 0;
    DWORD sectorBytes = 512;
    bool IsNtfs() const { return fileSystem == L"NTFS"; }
};

enum class VolumeRefusal { None, NotADrive, Network, Optical, Unsupported, NotReady };

struct VolumeCheck {
    VolumeRefusal refusal = VolumeRefusal::None;
    DWORD error = 0;
    WipeVolume volume;
    bool Ok() const { return refusal == VolumeRefusal::None; }
    // A sentence for the user; empty when the drive can be wiped.
    std::wstring Reason() const;
};

// "D:", "d:\" and "D:\" name drive D; anything else names no drive.
std::optional<std::wstring> DriveRootOf(const std::wstring& typed);

// Judges the drive named and, when it may be wiped, measures it.
VolumeCheck CheckWipeVolume(const std::wstring& typed);

// Every drive that may be wiped, in letter order (removable drives without a medium are left out).
std::vector<WipeVolume> WipeableVolumes();

}  // namespace scw
