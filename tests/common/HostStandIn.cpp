#include "tests/common/HostStandIn.h"

#include <winioctl.h>

#include <vector>

#include "engine/FinalPath.h"
#include "framework/UniqueHandle.h"
#include "tests/common/TestSupport.h"

namespace scw::test {

namespace {

// Wine's mount manager makes and removes drives (what its configuration program does): a link in
// the prefix's dosdevices folder, and the drive's type.
struct UnixDriveRequest {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};
constexpr DWORD kDefineUnixDrive = CTL_CODE(0x6d, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

// Points the drive at the Linux folder, or removes it for an empty one.
bool DefineDrive(wchar_t letter, const std::string& unixFolder) {
    UniqueFileHandle manager(::CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!manager) return false;
    std::vector<char> buffer(sizeof(UnixDriveRequest) + (unixFolder.empty() ? 0 : unixFolder.size() + 1));
    auto* request = reinterpret_cast<UnixDriveRequest*>(buffer.data());
    request->size = static_cast<ULONG>(buffer.size());
    request->type = DRIVE_FIXED;
    request->letter = static_cast<WCHAR>(towlower(letter));
    if (!unixFolder.empty()) {
        request->mountPointOffset = sizeof(UnixDriveRequest);
        memcpy(buffer.data() + sizeof(UnixDriveRequest), unixFolder.c_str(), unixFolder.size() + 1);
    }
    DWORD returned = 0;
    return ::DeviceIoControl(manager.Get(), kDefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()),
                             nullptr, 0, &returned, nullptr) != 0;
}


}  // namespace

HostStandIn::HostStandIn() : folder_(temp_ / L"host\\") {
    for (const wchar_t* name : {L"a.tmp", L"b.log", L"sub\\c.tmp"}) WriteFileText(folder_ + name, "precious");
    unix_ = UnixName(folder_.substr(0, folder_.size() - 1));
    if (unix_.empty()) return;
    const DWORD used = ::GetLogicalDrives();
    for (wchar_t letter = L'R'; letter <= L'Y'; ++letter) {
        if (used & (1u << (letter - L'A'))) continue;
        // Wine names a folder by the drive onto it only once its cached list of drives is renewed
        // (about a second): wait for that, so the folder has one name, as the host's root has Z:.
        const std::wstring drive = std::wstring(1, letter) + L":\\";
        if (DefineDrive(letter, unix_) && WaitUntil([&] { return FolderExists(drive + L"sub"); }, 5000) &&
            WaitUntil([&] { return FinalPathOf(folder_).rfind(drive, 0) == 0; }, 5000))
            drive_ = drive;
        break;
    }
}

HostStandIn::~HostStandIn() {
    if (!drive_.empty()) DefineDrive(drive_[0], {});
}

std::wstring HostStandIn::DevicePath() const {
    std::wstring path = L"\\\\?\\unix";
    for (char c : unix_) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

bool HostStandIn::FilesSurvive() const {
    for (const wchar_t* name : {L"a.tmp", L"b.log", L"sub\\c.tmp"})
        if (!FileExists(folder_ + name) || ReadFileText(folder_ + name) != "precious") return false;
    return true;
}

}  // namespace scw::test
