// scourwell-cli: lists the catalogue, scans or cleans chosen items, and finds junk files from a console.
#include <windows.h>

#include <string>
#include <vector>

#include "state/Settings.h"
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/JunkCommand.h"
#include "cli/ConsoleOut.h"
#include "cli/RuleCommands.h"
#include "cli/Selection.h"
#include "cli/UpdateCommand.h"
#include "cli/ShredCommand.h"
#include "cli/WipeCommand.h"
#include "engine/Catalogue.h"
#include "engine/OverwriteDelete.h"

using namespace scw;
using namespace scw::cli;

namespace {
void PrintLines(ConsoleOut& out, const std::wstring& text) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        out.Out(text.substr(start, end - start));
        start = end + 1;
    }
}

std::wstring JoinIds(const std::vector<long long>& ids) {
    std::wstring joined;
    for (long long id : ids) joined += (joined.empty() ? L"" : L", ") + std::to_wstring(id);
    return joined;
}

int UsageError(ConsoleOut& out, const std::wstring& error) {
    out.Err(L"scourwell-cli: " + error);
    out.Err(L"Try 'scourwell-cli --help'.");
    return ExitUsage;
}

int RunCommand(ConsoleOut& out, const Arguments& args) {
    if (args.command == Command::Rules) return ListRules(out, args.json);
    Catalogue catalogue;
    catalogue.Build();
    if (!catalogue.Head()) {
        out.Err(L"scourwell-cli: the catalogue could not be built");
        return ExitFailures;
    }
    if (args.command == Command::Items) return ListItems(out, catalogue, args.json);

    Selection selection;
    if (!args.selection.empty()) {
        CIniFileRW settings(kSettingsFileName);
        std::wstring error;
        std::optional<Selection> resolved = ResolveSelection(args.selection, catalogue, settings, error);
        if (!resolved) return UsageError(out, error);
        selection = std::move(*resolved);
    }
    for (const std::wstring& note : selection.notes) out.Err(L"scourwell-cli: " + note);
    if (!selection.unknownIds.empty())
        out.Err(L"scourwell-cli: ignored ids that name no item: " + JoinIds(selection.unknownIds));
    const RuleChoice rules = ChooseRules(out, args, selection.ruleNames);

    if (args.command == Command::Targets) {
        if (!selection.items.empty() || rules.entries.empty()) ListTargets(out, selection, args.json);
        if (!rules.entries.empty()) ListRuleTargets(out, rules.entries, args.json);
        return ExitDone;
    }
    if (args.command == Command::Scan) return Sweep(out, catalogue, selection, rules.entries, args.json, false);
    if (args.yes) return Sweep(out, catalogue, selection, rules.entries, args.json, true);
    int previewed = Sweep(out, catalogue, selection, rules.entries, args.json, false);
    if (previewed != ExitDone) return previewed;
    out.Err(L"nothing was deleted: add --yes to delete these traces");
    return ExitUsage;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    ConsoleOut out;
    std::vector<std::wstring> words(argv + 1, argv + argc);
    std::wstring error;
    std::optional<Arguments> args = ParseArguments(words, error);
    if (!args) return UsageError(out, error);
    if (args->command == Command::Help) {
        PrintLines(out, kHelpText);
        return ExitDone;
    }
    SetOverwriteBeforeDelete(args->shredDeletes);
    if (args->command == Command::Junk) return RunJunk(out, *args);
    if (args->command == Command::CheckUpdate) return CheckForUpdate(out, args->json);
    if (args->command == Command::Shred) return ShredPaths(out, args->paths, args->passes, args->json, args->yes);
    if (args->command == Command::WipeFree)
        return WipeFreeSpaceOf(out, args->paths.front(), args->passes, args->json, args->yes);
    return RunCommand(out, *args);
}
