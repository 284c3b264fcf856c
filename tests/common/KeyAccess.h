#pragma once
// Access lists on registry keys of the test prefix, to make a key the program may not change.
#include <windows.h>

#include <string>
#include <utility>

namespace scw::test {

// Gives the key a list that denies every access to everyone, or restores an open one.
bool DenyAll(HKEY parent, const std::wstring& path, bool deny);
// Lets everyone read the key but not change it, or restores an open list.
bool DenyWrites(HKEY parent, const std::wstring& path, bool deny);

// Denies writes to a key for the life of the scope, so a failed assertion cannot leave a key
// behind that later runs can neither change nor remove.
class WritesDenied {
public:
    WritesDenied(HKEY parent, std::wstring path) : parent_(parent), path_(std::move(path)) {
        denied_ = DenyWrites(parent_, path_, true);
    }
    ~WritesDenied() {
        if (denied_) DenyWrites(parent_, path_, false);
    }
    WritesDenied(const WritesDenied&) = delete;
    WritesDenied& operator=(const WritesDenied&) = delete;
    explicit operator bool() const { return denied_; }
    // Whether this system keeps writers out of the key; some do not enforce key access lists.
    bool Enforced() const;

private:
    HKEY parent_;
    std::wstring path_;
    bool denied_ = false;
};

}  // namespace scw::test
