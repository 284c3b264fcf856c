#include "cli/JunkCommand.h"

#include <windows.h>

#include <atomic>
#include <cwctype>

#include "cli/Commands.h"
#include "cli/Record.h"
#include "engine/HostRoots.h"
#include "junk/core/JunkDelete.h"
#include "junk/core/JunkTypes.h"
#include "junk/core/JunkWalk.h"

namespace scw::cli {

namespace {
std::atomic<bool> g_junkStop{false};

BOOL WINAPI OnJunkControl(DWORD type) {
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) return FALSE;
    g_junkStop = true;
    return TRUE;
}

std::optional<int> RowNumber(const std::wstring& text) {
    if (text.empty() || text.size() > 2) return std::nullopt;
    int value = 0;
    for (wchar_t c : text) {
        if (!std::iswdigit(c)) return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    if (value < 1 || value > kJunkTypeCount) return std::nullopt;
    return value;
}

// Prints each file as it is found (unless the files are only gathered for deleting).
class PrintingSink : public JunkSink {
public:
    PrintingSink(ConsoleOut& out, bool json, bool print) : out_(out), json_(json), print_(print) {}
    void FoundJunk(const JunkRow& row) override {
        rows.push_back(row);
        if (print_) out_.Out(FormatRecord({{L"file", row.ListName()}, {L"folder", row.folder}}, json_));
    }
    std::vector<JunkRow> rows;

private:
    ConsoleOut& out_;
    bool json_;
    bool print_;
};

int Usage(ConsoleOut& out, const std::wstring& error) {
    out.Err(L"scourwell-cli: " + error);
    out.Err(L"Try 'scourwell-cli --help'.");
    return ExitUsage;
}
}  // namespace

std::optional<std::vector<int>> ParseJunkRows(const std::wstring& text, std::wstring& error) {
    std::vector<int> rows;
    if (text.empty() || text == L"default") {
        for (int row = 1; row <= kDefaultJunkTypeCount; ++row) rows.push_back(row);
        return rows;
    }
    if (text == L"all") {
        for (int row = 1; row <= kJunkTypeCount; ++row) rows.push_back(row);
        return rows;
    }
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L',', start);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring part = text.substr(start, end - start);
        const size_t dash = part.find(L'-');
        std::optional<int> first = RowNumber(dash == std::wstring::npos ? part : part.substr(0, dash));
        std::optional<int> last = dash == std::wstring::npos ? first : RowNumber(part.substr(dash + 1));
        if (!first || !last || *last < *first) {
            error = L"--types: '" + part + L"' is not a row number or range of 1 to " +
                    std::to_wstring(kJunkTypeCount);
            return std::nullopt;
        }
        for (int row = *first; row <= *last; ++row) rows.push_back(row);
        start = end + 1;
    }
    return rows;
}

int RunJunk(ConsoleOut& out, const Arguments& args) {
    std::wstring error;
    std::optional<std::vector<int>> rows = ParseJunkRows(args.types, error);
    if (!rows) return Usage(out, error);
    std::wstring root;
    if (!args.root.empty()) {
        if (std::optional<std::wstring> why = HostRoots().Refusal(args.root)) {
            out.Err(L"scourwell-cli: refusing " + args.root + L": " + *why);
            out.Err(L"nothing was searched");
            return ExitUsage;
        }
        std::optional<std::wstring> full = FullJunkRoot(args.root);
        if (!full) return Usage(out, L"--root: the folder's full path is longer than the system allows");
        root = *full;
    }

    g_junkStop = false;
    ::SetConsoleCtrlHandler(OnJunkControl, TRUE);
    const bool deleting = args.deleteJunk && args.yes;
    PrintingSink sink(out, args.json, !deleting);
    SearchJunk(root, JunkMatcher(JunkPatternsOfRows(*rows)), sink, JunkStop{&g_junkStop, nullptr});
    out.Err(std::to_wstring(sink.rows.size()) + L" junk files found");
    if (g_junkStop) {
        out.Err(L"stopped by Ctrl+C");
        return ExitStopped;
    }
    if (args.deleteJunk && !args.yes) {
        out.Err(L"nothing was deleted: add --yes to delete these files");
        return ExitUsage;
    }
    if (!deleting) return ExitDone;

    int deleted = 0;
    const int failed = DeleteJunkFiles(
        sink.rows,
        [&](const JunkRow& row, const DeleteOutcome& outcome) {
            if (outcome.Deleted()) ++deleted;
            // Why it stays: "link", "moved", "too long", "locked", "gone"... never a success.
            out.Out(OutcomeRecord(outcome.Deleted() ? L"deleted" : L"failed", row.FullPath(), outcome.Reason(),
                                  args.json));
        },
        &g_junkStop);
    out.Err(L"deleted " + std::to_wstring(deleted) + L", failed " + std::to_wstring(failed));
    if (failed > 0) return ExitFailures;
    if (g_junkStop) {
        out.Err(L"stopped by Ctrl+C");
        return ExitStopped;
    }
    return ExitDone;
}

}  // namespace scw::cli
