#include "cli/Arguments.h"

namespace scw::cli {

const wchar_t kHelpText[] =
    L"Usage: scourwell-cli COMMAND [SELECTION] [--rule NAME]... [--rules] [--json] [--yes]\n"
    L"       scourwell-cli junk [--root FOLDER] [--types default|all|LIST] [--delete [--yes]] [--json]\n"
    L"       scourwell-cli shred [--passes 1|3|7] PATH... [--json] [--yes]\n"
    L"       scourwell-cli wipe-free DRIVE [--passes 1|3|7] [--json] [--yes]\n"
    L"\n"
    L"Commands:\n"
    L"  items                  the catalogue, one node a line: id, level, parent id (- for a category),\n"
    L"                         icon, text\n"
    L"  rules                  the entries of the rule files beside this program (winapp2.ini and\n"
    L"                         rules\\*.ini), one a line: name, group, detected|absent, file. Problems\n"
    L"                         in the files go to standard error as FILE:LINE: message; exit 0\n"
    L"  targets SELECTION      where each selected item looks: id, root prefix, path, name, kind\n"
    L"                         (a folder of kind 1 is emptied but never listed; 10 lists every file,\n"
    L"                         11 the files with that extension, 12 the files of that name)\n"
    L"  scan SELECTION         one line per trace: item id, item text, type (reg|file), location, trace name\n"
    L"  clean SELECTION --yes  scan, then delete every selected item as the one-click erase does;\n"
    L"                         without --yes it only previews and exits with 2. Folders of kind 1\n"
    L"                         are emptied too, although a scan never lists them\n"
    L"  junk                   search for junk files: one line per file, its name in lower case and\n"
    L"                         its folder (JSON keys file, folder). --root FOLDER searches one folder\n"
    L"                         instead of every fixed disk; --types picks rows of the 45-row junk type\n"
    L"                         table: default (rows 1-12, also without --types), all, or a LIST such\n"
    L"                         as 1,3,9-12. Links (junctions, symbolic links) are never entered.\n"
    L"                         --delete --yes deletes every file found and prints deleted|failed and\n"
    L"                         the full path, a failed one with its reason: link, moved (its folder\n"
    L"                         now leads elsewhere), locked, gone, ... (JSON keys result, path,\n"
    L"                         reason); without --yes it only lists and\n"
    L"                         exits with 2. Only the read-only bit is cleared; nothing is left to be\n"
    L"                         deleted at restart\n"
    L"  check-update           asks the download location for update.ini and prints one record:\n"
    L"                         status (newer, current, failed, malformed, no-version), the server's\n"
    L"                         version, the running version. Never asks and never opens a browser;\n"
    L"                         SCOURWELL_UPDATE_BASE (a URL ending in a slash) replaces the location\n"
    L"  shred PATH... --yes    overwrite each file in place (--passes 1: random, the default; 3: zeros,\n"
    L"                         ones, random; 7: random and that three twice), flushing every pass to\n"
    L"                         the disk, then cut it to nothing, rename it at random and delete it.\n"
    L"                         A folder stands for every file below it (linked folders are not\n"
    L"                         entered). A drive or share root, a system or user top folder\n"
    L"                         (Windows, Program Files, Users, the profile, AppData, Documents,\n"
    L"                         Desktop, ...) or a folder holding one, also reached through a link,\n"
    L"                         refuses the whole command: \"protected folder\" on standard error,\n"
    L"                         nothing listed or shredded, exit 2, with or without --yes.\n"
    L"                         Without --yes it lists each file that would be shredded\n"
    L"                         (path, size in bytes) and exits with 2. With --yes one line a file:\n"
    L"                         shredded|skipped|failed, path, size or reason: link, hard link,\n"
    L"                         read-only, locked (held open without write sharing), missing,\n"
    L"                         folder, moved (its folder now leads elsewhere), too long (a file\n"
    L"                         below a folder whose full path is over the limit), bad path\n"
    L"                         (relative, too long, wildcards, device), stopped\n"
    L"                         (Ctrl+C), or the system's message. Links are never\n"
    L"                         shredded; a file with other names (hard link) loses only the name\n"
    L"                         given, and its data, still used by the other names, is not overwritten\n"
    L"  wipe-free DRIVE --yes  overwrite the free space of a fixed or removable drive (D: or D:\\): files\n"
    L"                         of its own in the folder \"Scourwell free space wipe\" at the drive's root\n"
    L"                         fill it, written past the cache with the passes of --passes, each\n"
    L"                         flushed; on NTFS small files then fill the free file records (where\n"
    L"                         small deleted files live); then all of them are deleted again. What a\n"
    L"                         killed wipe left there is removed first. Network and optical drives\n"
    L"                         are refused (exit 2). Without --yes one record: free, the drive, its\n"
    L"                         free bytes; exit 2. With --yes one record: wiped, the drive, bytes\n"
    L"                         written, records filled (JSON keys result, drive, free|written,\n"
    L"                         records), or failed, the drive and why. On SSDs and flash drives\n"
    L"                         overwriting cannot reach every old copy\n"
    L"\n"
    L"SELECTION is a comma-separated list of item ids and set names:\n"
    L"  default, oneclick, recent  the item sets saved in setting.ini beside this program\n"
    L"                             (recent falls back to default while it was never written)\n"
    L"  all                        every item of the catalogue\n"
    L"  An id of a category or program selects all of its items. Items run in catalogue order.\n"
    L"  Ids that name no node are reported on standard error and ignored.\n"
    L"  targets, scan and clean also take rule entries, alone or beside a SELECTION:\n"
    L"  --rule NAME  (repeatable) the entry of that name, letter case ignored, with or without\n"
    L"               its trailing \" *\"; unknown names are reported on standard error and ignored\n"
    L"  --rules      every detected entry\n"
    L"  default, oneclick and recent also bring the rule entries saved for them in setting.ini;\n"
    L"  saved names of entries that are gone are forgotten quietly\n"
    L"  A rule's trace is printed as: rule, entry name, reg|file, location, trace name; an entry's\n"
    L"  Warning= text goes to standard error. Rules delete only what the catalogue's guard allows\n"
    L"  and never RECURSE or REMOVESELF in the system's or the user's top folders (see the README).\n"
    L"\n"
    L"Options:\n"
    L"  --json   one JSON object a line instead of tab-separated fields\n"
    L"  --yes    let clean, and junk --delete, delete, and shred destroy\n"
    L"  --passes 1, 3 or 7 overwrite passes for shred and wipe-free\n"    L"  --shred  clean and junk --delete: overwrite each file once with random data, flushed, then\n"
    L"           cut it, rename it at random and delete it (as the shredder's Quick method). Links are\n"
    L"           never overwritten, a file with other names loses only its own name, and a file that\n"
    L"           cannot be overwritten (in use, read-only) is not deleted but fails with its reason;\n"
    L"           nothing is left for a restart. The settings page's \"Overwrite files before deleting\n"
    L"           them\" does the same for the window\n"
    L"  --help   this text\n"
    L"\n"
    L"Records go to standard output as UTF-8, one a line; counts and summaries (\"N traces in M items\",\n"
    L"\"deleted N, failed M\") go to standard error. Text fields never hold tabs or line breaks: such\n"
    L"characters show as U+FFFD; --json keeps names exactly.\n"
    L"Ctrl+C stops a scan at its next step, a deletion after its current item, and a shred after the\n"
    L"block it is writing (that file stays on disk, partly overwritten), and a free-space wipe\n"
    L"within a second, after deleting its files.\n"
    L"This program never writes setting.ini.\n"
    L"\n"
    L"Exit codes:\n"
    L"  0  done\n"
    L"  1  clean: some traces could not be deleted (files in use are deleted at the next restart);\n"
    L"     junk --delete: some files could not be deleted (nothing is left for the next restart);\n"
    L"     check-update: update.ini could not be fetched; shred: some files were skipped or not shredded;\n"
    L"     wipe-free: the wipe failed or ended early (its files are deleted all the same)\n"
    L"  2  usage error, or clean, junk --delete or shred without --yes, or shred given a protected\n"
    L"     folder, or wipe-free without --yes or given a drive it never wipes\n"
    L"  3  stopped by Ctrl+C\n"
    L"\n"
    L"Examples:\n"
    L"  scourwell-cli scan default\n"
    L"  scourwell-cli clean 104,106 --yes\n"
    L"  scourwell-cli junk --root C:\\work --types 6,35\n"
    L"  scourwell-cli shred --passes 3 C:\\old\\letters --yes\n"
    L"  scourwell-cli wipe-free D: --yes\n";

namespace {
std::optional<Command> CommandNamed(const std::wstring& name) {
    if (name == L"items") return Command::Items;
    if (name == L"rules") return Command::Rules;
    if (name == L"targets") return Command::Targets;
    if (name == L"scan") return Command::Scan;
    if (name == L"clean") return Command::Clean;
    if (name == L"junk") return Command::Junk;
    if (name == L"check-update") return Command::CheckUpdate;
    if (name == L"shred") return Command::Shred;
    if (name == L"wipe-free") return Command::WipeFree;
    return std::nullopt;
}

// A bare "help" asks only as the command word: anywhere else it is a path or a selection, and
// "shred help --yes" must shred the file named help rather than print the usage.
bool IsHelpOption(const std::wstring& arg) { return arg == L"--help" || arg == L"-h" || arg == L"/?"; }

std::optional<int> PassesNamed(const std::wstring& text) {
    if (text == L"1") return 1;
    if (text == L"3") return 3;
    if (text == L"7") return 7;
    return std::nullopt;
}

std::optional<Arguments> ParseShred(Arguments parsed, const std::vector<std::wstring>& words, std::wstring& error) {
    parsed.paths.assign(words.begin() + 1, words.end());
    if (parsed.paths.empty()) {
        error = L"shred needs at least one PATH";
        return std::nullopt;
    }
    return parsed;
}

std::optional<Arguments> ParseWipeFree(Arguments parsed, const std::vector<std::wstring>& words,
                                      std::wstring& error) {
    if (words.size() != 2) {
        error = words.size() < 2 ? L"wipe-free needs a DRIVE" : L"unexpected argument: " + words[2];
        return std::nullopt;
    }
    parsed.paths.assign(words.begin() + 1, words.end());
    return parsed;
}

// The options that belong to junk alone; a value follows --root and --types.
bool TakeJunkOption(const std::vector<std::wstring>& args, size_t& i, Arguments& parsed, std::wstring& error) {
    const std::wstring& arg = args[i];
    if (arg == L"--delete") {
        parsed.deleteJunk = true;
        return true;
    }
    std::wstring* value = arg == L"--root" ? &parsed.root : arg == L"--types" ? &parsed.types : nullptr;
    if (!value) return false;
    if (i + 1 >= args.size() || args[i + 1].empty()) {
        error = arg + L" needs a value";
        return true;
    }
    *value = args[++i];
    return true;
}

std::optional<Arguments> CheckJunk(Arguments parsed, const std::vector<std::wstring>& words, std::wstring& error) {
    if (words.size() > 1) {
        error = L"unexpected argument: " + words[1];
        return std::nullopt;
    }
    if (parsed.yes && !parsed.deleteJunk) {
        error = L"--yes belongs to junk --delete";
        return std::nullopt;
    }
    return parsed;
}
}  // namespace

std::optional<Arguments> ParseArguments(const std::vector<std::wstring>& args, std::wstring& error) {
    Arguments parsed;
    std::vector<std::wstring> words;
    bool junkOptions = false;
    bool passesGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        if (IsHelpOption(arg)) {
            parsed.command = Command::Help;
            return parsed;
        }
        if (arg == L"--passes") {
            std::optional<int> passes = i + 1 < args.size() ? PassesNamed(args[i + 1]) : std::nullopt;
            if (!passes) {
                error = L"--passes takes 1, 3 or 7";
                return std::nullopt;
            }
            parsed.passes = *passes;
            passesGiven = true;
            ++i;
        } else if (arg == L"--json") {
            parsed.json = true;
        } else if (arg == L"--yes") {
            parsed.yes = true;
        } else if (arg == L"--shred") {
            parsed.shredDeletes = true;
        } else if (arg == L"--rules") {
            parsed.allRules = true;
        } else if (arg == L"--rule") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                error = L"--rule needs a NAME";
                return std::nullopt;
            }
            parsed.ruleNames.push_back(args[++i]);
        } else if (TakeJunkOption(args, i, parsed, error)) {
            if (!error.empty()) return std::nullopt;
            junkOptions = true;
        } else if (arg.starts_with(L"-")) {
            error = L"unknown option: " + arg;
            return std::nullopt;
        } else if (words.empty() && arg == L"help") {
            parsed.command = Command::Help;
            return parsed;
        } else {
            words.push_back(arg);
        }
    }
    if (words.empty()) {
        error = L"no command given";
        return std::nullopt;
    }
    std::optional<Command> command = CommandNamed(words[0]);
    if (!command) {
        error = L"unknown command: " + words[0];
        return std::nullopt;
    }
    parsed.command = *command;
    if (passesGiven && parsed.command != Command::Shred && parsed.command != Command::WipeFree) {
        error = L"--passes belongs to shred and wipe-free only";
        return std::nullopt;
    }
    const bool rulesGiven = parsed.allRules || !parsed.ruleNames.empty();
    const bool takesRules = parsed.command == Command::Targets || parsed.command == Command::Scan ||
                            parsed.command == Command::Clean;
    if (rulesGiven && !takesRules) {
        error = L"--rule and --rules belong to targets, scan and clean";
        return std::nullopt;
    }
    // Overwriting belongs to deleting: anywhere else it would suggest a protection that is not there.
    if (parsed.shredDeletes && parsed.command != Command::Clean &&
        !(parsed.command == Command::Junk && parsed.deleteJunk)) {
        error = L"--shred belongs to clean and junk --delete";
        return std::nullopt;
    }
    if (parsed.command == Command::Junk) return CheckJunk(parsed, words, error);
    if (junkOptions) {
        error = L"--root, --types and --delete belong to junk";
        return std::nullopt;
    }
    if (parsed.command == Command::Shred) return ParseShred(parsed, words, error);
    if (parsed.command == Command::WipeFree) return ParseWipeFree(parsed, words, error);
    size_t wanted = parsed.command == Command::Items || parsed.command == Command::Rules ||
                            parsed.command == Command::CheckUpdate
                        ? 1
                        : 2;
    // Rule entries alone make a selection of their own.
    if (rulesGiven && words.size() == 1) wanted = 1;
    if (words.size() < wanted) {
        error = words[0] + L" needs a SELECTION";
        return std::nullopt;
    }
    if (words.size() > wanted) {
        error = L"unexpected argument: " + words[wanted];
        return std::nullopt;
    }
    if (wanted == 2) parsed.selection = words[1];
    // A --yes that does nothing could make someone believe a scan deleted.
    if (parsed.yes && parsed.command != Command::Clean) {
        error = L"--yes belongs to clean and shred only";
        return std::nullopt;
    }
    return parsed;
}

}  // namespace scw::cli
