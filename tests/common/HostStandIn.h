#pragma once
// A stand-in for the Linux host's root under Wine: a folder of the test prefix that a test treats
// as "/", with a drive of its own onto it, as an ordinary prefix has Z: onto "/". Nothing of a
// test ever points at the real root.
#include <windows.h>

#include <string>

#include "tests/common/TestSupport.h"

namespace scw::test {

class HostStandIn {
public:
    HostStandIn();
    ~HostStandIn();
    HostStandIn(const HostStandIn&) = delete;
    HostStandIn& operator=(const HostStandIn&) = delete;

    // False off Wine, or when Wine's mount manager would not make the drive.
    bool Ready() const { return !drive_.empty(); }
    // The stand-in folder ("C:\...\host\"), holding a.tmp, b.log and sub\c.tmp, each "precious".
    const std::wstring& Folder() const { return folder_; }
    // Its Linux name: what the detector is told the host's root is.
    const std::string& UnixFolder() const { return unix_; }
    // The drive onto it ("R:\").
    const std::wstring& Drive() const { return drive_; }
    // Its "\\?\unix\..." name.
    std::wstring DevicePath() const;
    // True when the three planted files are all still there with their content.
    bool FilesSurvive() const;

private:
    TempFolder temp_{L"hostroot"};
    std::wstring folder_;
    std::string unix_;
    std::wstring drive_;
};

}  // namespace scw::test
