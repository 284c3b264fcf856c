#pragma once
// Folders that other programs keep in their own registry values and INI files. Such a value is
// under the other program's control, so it is checked before any target is built on it: an
// empty, relative, "."/".."-holding, drive-root or top-folder value resolves as failed, and an
// empty "data_dir" can never become "every file under \".
#include <optional>
#include <string>

#include "engine/Environment.h"
#include "engine/MyObject.h"

namespace scw::rules {

// The value as a folder without a trailing backslash, or nullopt when it may not be walked.
std::optional<std::wstring> CheckedStoredFolder(std::wstring value, const Environment& env);

// One name below a folder ("default", "{GUID}"): nullopt for one that could name another folder.
std::optional<std::wstring> CheckedFolderName(const std::wstring& value);

// The program folders read from the registry, each without a trailing backslash.
std::optional<std::wstring> YahooFolder(const Environment& env);
std::optional<std::wstring> BitCometFolder(const Environment& env);
std::optional<std::wstring> EudoraFolder(const Environment& env);
std::optional<std::wstring> GoogleDesktopFolder(const Environment& env);
// IncrediMail folder + "\Identities\" + the current identity.
std::optional<std::wstring> IncrediMailIdentityFolder(const Environment& env);

// The PocoMail attachment and mail folders, with a trailing backslash.
std::optional<std::wstring> PocoAttachFolder(const Environment& env);
std::optional<std::wstring> PocoMailFolder(const Environment& env);

// Item 205: one target per Messenger account that names a usable message-log folder.
bool AddMessengerAccounts(CMyObject& item, const Environment& env);

}  // namespace scw::rules
