#pragma once
// Resolutions the target rules share. Each returns nullopt when it fails, which ends the item.
#include <optional>
#include <string>

#include "engine/Environment.h"

namespace scw {

// The user's profile folder with a trailing backslash.
std::optional<std::wstring> ResolveProfileFolder(const Environment& env);
// Local application data + "\Microsoft\".
std::optional<std::wstring> ResolveLocalMicrosoft(const Environment& env);
// %TEMP% (at most 1023 characters), without a trailing backslash.
std::optional<std::wstring> ResolveTempVariable(const Environment& env);

// The first profile of a Mozilla-family program: "Path" of "Profile0" in AppData + programFolder
// + "profiles.ini", the part after its first "/", with a trailing backslash ("abcd.default\").
// Fails for a missing, empty, over-long, absolute or ".."-holding path.
std::optional<std::wstring> ReadProfileFolder(const Environment& env, const std::wstring& programFolder);

// "poco.ini" in AppData + "\PocoMail\": 1 = [Mail] AttachPath, 3 = [Program] MailPath. A value
// with ":" as its second character is taken unchanged, any other is appended to the PocoMail
// folder.
std::optional<std::wstring> ReadPocoMailPath(const Environment& env, int which);

}  // namespace scw
