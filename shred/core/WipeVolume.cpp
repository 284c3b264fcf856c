#include "shred/core/WipeVolume.h"

#include "shred/core/ShredTarget.h"

namespace scw {

namespace {

// No "insert a disk" box for an empty card reader: an empty drive is simply not ready.
class QuietDriveErrors {
public:
    QuietDriveErrors() : old_(::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
    ~QuietDriveErrors() { ::SetErrorMode(old_); }

private:
    UINT old_;
};

VolumeCheck Refuse(VolumeRefusal why, const std::wstring& root, DWORD error = 0) {
    VolumeCheck check;
    check.refusal = why;
    check.error = error;
    check.volume.root = root;
    return check;
}

}  // namespace

std::wstring VolumeCheck::Reason() const {
    const std::wstring& root = volume.root;
    switch (refusal) {
    case VolumeRefusal::None: return L"";
    case VolumeRefusal::NotADrive: return L"not a drive letter (give it as D: or D:\\)";
    case VolumeRefusal::Network:
        return root + L" is a network drive: only fixed and removable drives of this computer are wiped";
    case VolumeRefusal::Optical: return root + L" is an optical drive: its discs cannot be overwritten in place";
    case VolumeRefusal::Unsupported: return root + L" is not a fixed or removable drive";
    case VolumeRefusal::NotReady:
        return root + L" cannot be read" + (error ? L": " + SystemMessage(error) : std::wstring());
    }
    return L"";
}

std::optional<std::wstring> DriveRootOf(const std::wstring& typed) {
    if (typed.size() < 2 || typed.size() > 3 || typed[1] != L':') return std::nullopt;
    if (typed.size() == 3 && typed[2] != L'\\' && typed[2] != L'/') return std::nullopt;
    wchar_t letter = typed[0];
    if (letter >= L'a' && letter <= L'z') letter = static_cast<wchar_t>(letter - L'a' + L'A');
    if (letter < L'A' || letter > L'Z') return std::nullopt;
    return std::wstring{letter, L':', L'\\'};
}

VolumeCheck CheckWipeVolume(const std::wstring& typed) {
    std::optional<std::wstring> root = DriveRootOf(typed);
    if (!root) return Refuse(VolumeRefusal::NotADrive, typed);
    QuietDriveErrors quiet;
    const UINT type = ::GetDriveTypeW(root->c_str());
    switch (type) {
    case DRIVE_FIXED:
    case DRIVE_REMOVABLE: break;
    case DRIVE_REMOTE: return Refuse(VolumeRefusal::Network, *root);
    case DRIVE_CDROM: return Refuse(VolumeRefusal::Optical, *root);
    case DRIVE_NO_ROOT_DIR: return Refuse(VolumeRefusal::NotReady, *root, ERROR_PATH_NOT_FOUND);
    default: return Refuse(VolumeRefusal::Unsupported, *root);
    }
    VolumeCheck check;
    WipeVolume& volume = check.volume;
    volume.root = *root;
    volume.driveType = type;
    wchar_t fileSystem[MAX_PATH + 1] = {};
    if (!::GetVolumeInformationW(root->c_str(), nullptr, 0, nullptr, nullptr, nullptr, fileSystem, MAX_PATH + 1))
        return Refuse(VolumeRefusal::NotReady, *root, ::GetLastError());
    volume.fileSystem = fileSystem;
    ULARGE_INTEGER freeToCaller{}, total{}, freeTotal{};
    if (!::GetDiskFreeSpaceExW(root->c_str(), &freeToCaller, &total, &freeTotal))
        return Refuse(VolumeRefusal::NotReady, *root, ::GetLastError());
    volume.freeBytes = freeToCaller.QuadPart;
    volume.totalBytes = total.QuadPart;
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (::GetDiskFreeSpaceW(root->c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters) &&
        bytesPerSector >= 512 && (bytesPerSector & (bytesPerSector - 1)) == 0)
        volume.sectorBytes = bytesPerSector;
    return check;
}

std::vector<WipeVolume> WipeableVolumes() {
    std::vector<WipeVolume> volumes;
    const DWORD drives = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(drives & (1u << i))) continue;
        VolumeCheck check = CheckWipeVolume(std::wstring{static_cast<wchar_t>(L'A' + i), L':', L'\\'});
        if (check.Ok()) volumes.push_back(check.volume);
    }
    return volumes;
}

}  // namespace scw
