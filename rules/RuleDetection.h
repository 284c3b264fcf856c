#pragma once
// Whether the program an entry cleans is there: any one of its Detect keys, DetectFile paths,
// its DetectOS range or its SpecialDetect programs; an entry that names none is always there.
#include <map>
#include <string>

#include "engine/Environment.h"
#include "rules/CachedEnvironment.h"
#include "rules/RuleEntry.h"

namespace scw::rules {

// The running Windows' version as major * 1000 + minor (10.0 is 10000, 6.1 is 6001).
unsigned WindowsVersionNumber();

class RuleDetector {
public:
    explicit RuleDetector(const Environment& env, unsigned windowsVersion = WindowsVersionNumber())
        : env_(env), version_(windowsVersion) {}

    bool IsDetected(const RuleEntry& entry);

    // "min|max" with either side empty, each "major.minor"; false for text that says no range.
    bool OsInRange(const std::wstring& range) const;

private:
    bool KeyExists(const std::wstring& key);
    bool KeyPathExists(HKEY root, const std::wstring& path);
    bool PathExists(const std::wstring& path);
    bool FileExists(const std::wstring& path);
    bool Special(const std::wstring& name);

    CachedEnvironment env_;
    unsigned version_;
    // Thousands of entries ask for the same few folders and keys, and for many below the same
    // missing vendor's folder or key: a missing parent answers for all of them.
    std::map<std::wstring, bool> keys_;
    std::map<std::wstring, bool> texts_;
    std::map<std::wstring, bool> files_;
};

}  // namespace scw::rules
