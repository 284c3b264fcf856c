#pragma once
// The console command line: one command, an optional selection (or the paths to shred) and the
// switches.
#include <optional>
#include <string>
#include <vector>

namespace scw::cli {

enum class Command { Help, Items, Rules, Targets, Scan, Clean, Junk, CheckUpdate, Shred, WipeFree };

struct Arguments {
    Command command = Command::Help;
    std::wstring selection;  // as typed; resolved against the catalogue later; empty with rules alone
    std::vector<std::wstring> ruleNames;  // --rule NAME, as typed
    bool allRules = false;                // --rules: every detected rule entry
    bool json = false;
    bool yes = false;
    int passes = 1;                  // shred and wipe-free: 1, 3 or 7
    std::vector<std::wstring> paths;  // shred: files and folders, as typed; wipe-free: the drive
    // junk only
    std::wstring root;            // as typed; empty for every fixed disk
    std::wstring types;           // as typed; empty for the default rows
    bool deleteJunk = false;
    // clean and junk --delete: every file is overwritten once before it goes
    bool shredDeletes = false;
};

// The parsed line, or nullopt with `error` saying what is wrong (a usage error).
std::optional<Arguments> ParseArguments(const std::vector<std::wstring>& args, std::wstring& error);

extern const wchar_t kHelpText[];

}  // namespace scw::cli
