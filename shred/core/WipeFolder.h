#pragma once
// Where a free-space wipe keeps what it writes: one folder at the drive's root, named so a user who
// finds it after a crash knows whose it is, holding only files named by the wipe. Whatever else
// turns up in it (a file of the user's, a folder, a link) is never touched, and the folder then
// stays.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "framework/UniqueHandle.h"

namespace scw {

inline constexpr wchar_t kWipeFolderName[] = L"Scourwell free space wipe";

// "D:\Scourwell free space wipe\" for the root "D:\".
std::wstring WipeFolderOf(const std::wstring& root);

// The names the wipe gives its files: the fill files and the small files of the record fill.
std::wstring FillFileName(unsigned number);
std::wstring RecordFileName(unsigned number);
bool IsWipeFileName(const std::wstring& name);

struct LeftoverReport {
    bool found = false;          // the folder was there
    std::uint64_t removed = 0;   // files of the wipe deleted
    std::uint64_t kept = 0;      // entries that are not the wipe's, or could not be deleted
    bool folderRemoved = false;  // the folder is gone as well
};

// Deletes the wipe's files in the drive's wipe folder and the folder itself once it is empty.
// Each file is judged and deleted through the one delete of the program; a folder that is a
// link, or leads anywhere but where its name says, is left alone.
LeftoverReport RemoveWipeLeftovers(const std::wstring& root);

// The start of the program: what a killed wipe left on any drive that may be wiped goes, unless
// a wipe of that drive is running in another program.
void RemoveWipeLeftoversOnAllDrives();

// One wipe of a drive at a time, across programs (the window and the console): held while a wipe
// runs and while its leftovers are removed.
class WipeDriveLock {
public:
    // Nothing when another program holds the drive.
    static std::optional<WipeDriveLock> Take(const std::wstring& root);
    WipeDriveLock(WipeDriveLock&&) = default;
    WipeDriveLock& operator=(WipeDriveLock&&) = default;
    ~WipeDriveLock();

private:
    WipeDriveLock() = default;
    UniqueKernelHandle mutex_;
};

}  // namespace scw
