// The update check against a server in this process: what is offered, what counts as a failed
// fetch, and what happens to the local copy of update.ini.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <thread>
#include <vector>

#include "framework/UniqueHandle.h"
#include "tests/common/LocalHttpServer.h"
#include "tests/common/TestSupport.h"
#include "update/core/AutoUpdater.h"
#include "update/core/UpdateBody.h"
#include "update/core/UpdateSource.h"
#include "update/core/UpdateStatus.h"
#include "update/core/Versions.h"

using namespace scw;
using namespace scw::test;

namespace {
std::string Ini(const std::string& version) { return "[Program]\r\nVersion=" + version + "\r\n"; }

// What a check may take beyond its deadline: closing the exchange's handles.
constexpr ULONGLONG kDeadlineMargin = 600;

// The names in a folder, sorted.
std::vector<std::wstring> NamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (found.cFileName[0] != L'.') names.push_back(found.cFileName);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

struct CheckRun {
    int code = -1;
    int asked = 0;
    UpdateFinding finding;
};

class UpdateCheck : public ::testing::Test {
protected:
    // Runs one check against the server with the given running version; the question says `answer`.
    CheckRun Run(const std::wstring& base, const std::wstring& running, bool answer = true, DWORD deadlineMs = 5000) {
        CAutoUpdater updater({deadlineMs, localCopy_, running});
        CheckRun run;
        run.code = updater.Check(base, [&] {
            ++run.asked;
            return answer;
        });
        run.finding = updater.Fetch(base);
        return run;
    }

    TempFolder folder_{L"update"};
    std::wstring localCopy_ = folder_ / L"update.ini";
};
}  // namespace

TEST(Versions, CompareTheFourPartsAsNumbersAndRefuseAnythingElse) {
    EXPECT_EQ(CompareVersions(L"2.10", L"2.9.1.3"), 1);
    EXPECT_EQ(CompareVersions(L"2.9.1.3", L"2.10"), -1);
    EXPECT_EQ(CompareVersions(L"2.9.1.3", L"2.9.1.3"), 0);
    EXPECT_EQ(CompareVersions(L"1.0", L"1.0.0.0"), 0);
    EXPECT_EQ(CompareVersions(L".1..2.", L"1.2"), 0);  // empty runs between dots are no parts
    EXPECT_EQ(CompareVersions(L"6.0 beta", L"1.0"), kFirstMalformed);
    EXPECT_EQ(CompareVersions(L"1.2.3.4.5", L"1.0"), kFirstMalformed);
    EXPECT_EQ(CompareVersions(L"1.0", L"-1"), kSecondMalformed);
    EXPECT_EQ(CompareVersions(L"99999999999999999999", L"2147483647"), 0);  // huge parts stay in range
}

TEST(Versions, TextOfTheFileVersionFields) {
    EXPECT_EQ(VersionText(2, 9, 1, 3), L"2.9.1.3");
    EXPECT_EQ(VersionText(1, 0, 0, 0), L"1.0");
    EXPECT_EQ(VersionText(0, 0, 0, 7), L"0.0.0.7");
    EXPECT_EQ(VersionText(0, 0, 0, 0), L"");
    // This program carries the project's file version 1.0.0.0.
    EXPECT_EQ(RunningVersionText(), L"1.0");
}

TEST_F(UpdateCheck, NewerServerVersionAsksAndReportsTheAnswer) {
    LocalHttpServer server(LocalHttpServer::Answer(200, Ini("2.10")));
    CheckRun ok = Run(server.BaseUrl(), L"2.9.1.3", true);
    EXPECT_EQ(ok.code, kUpdateProceed);
    EXPECT_EQ(ok.asked, 1);
    EXPECT_EQ(server.LastRequestLine().rfind("GET /update.ini ", 0), 0u) << server.LastRequestLine();
    EXPECT_EQ(ReadFileText(localCopy_), Ini("2.10"));

    CheckRun declined = Run(server.BaseUrl(), L"2.9.1.3", false);
    EXPECT_EQ(declined.code, kUpdateDeclined);
    EXPECT_EQ(declined.asked, 1);
}

TEST_F(UpdateCheck, EqualOrMalformedVersionsOfferNothing) {
    struct Case {
        std::string served;
        std::wstring running;
    } cases[] = {{Ini("2.9.1.3"), L"2.9.1.3"}, {Ini("6.0 beta"), L"1.0"}, {Ini("1.2.3.4.5"), L"1.0"},
                 {Ini("1.0"), L"1.0 rc"}};
    for (const Case& c : cases) {
        WriteFileText(localCopy_, "stale");
        LocalHttpServer server(LocalHttpServer::Answer(200, c.served));
        CheckRun run = Run(server.BaseUrl(), c.running);
        EXPECT_EQ(run.code, kUpdateNotNewer) << c.served;
        EXPECT_EQ(run.asked, 0) << c.served;
        // Every check that got a good answer overwrites the copy beside the program.
        EXPECT_EQ(ReadFileText(localCopy_), c.served);
    }
}

TEST_F(UpdateCheck, EmptyRunningVersionIsReportedBeforeAnyComparison) {
    LocalHttpServer server(LocalHttpServer::Answer(200, Ini("9.0")));
    CheckRun run = Run(server.BaseUrl(), VersionText(0, 0, 0, 0));
    EXPECT_EQ(run.code, kUpdateNoRunningVersion);
    EXPECT_EQ(run.asked, 0);
    // The console's word for it, although the server named a version.
    EXPECT_STREQ(UpdateStatusWord(run.finding), L"no-version");
}

TEST_F(UpdateCheck, AnswerNamingNoVersionOffersNothing) {
    const std::string html = "<html><head><title>Welcome</title></head><body>Downloads moved</body></html>";
    for (const std::string& body : {html, std::string("[Program]\r\nName=x\r\n"), std::string("Version=9.0\r\n")}) {
        WriteFileText(localCopy_, Ini("1.0"));
        LocalHttpServer server(LocalHttpServer::Answer(200, body));
        CheckRun run = Run(server.BaseUrl(), L"1.0");
        EXPECT_EQ(run.code, kUpdateNotNewer) << body;
        EXPECT_EQ(run.asked, 0);
        EXPECT_FALSE(run.finding.serverVersion.has_value());
        EXPECT_FALSE(run.finding.localCopySaved) << body;
        EXPECT_EQ(ReadFileText(localCopy_), Ini("1.0")) << "a page in place of an answer replaces nothing";
    }
}

TEST_F(UpdateCheck, BadAnswersAreFailedFetchesAndLeaveTheLocalCopy) {
    const std::string oversized = Ini("9.0") + "; " + std::string(70 * 1024, 'x') + "\r\n";
    struct Case {
        const char* what;
        std::string answer;
    } cases[] = {
        {"404 with an update body", LocalHttpServer::Answer(404, Ini("9.0"))},
        {"500", LocalHttpServer::Answer(500, Ini("9.0"))},
        {"body breaks off", LocalHttpServer::Answer(200, Ini("9.0"), 400)},
        {"oversized, announced", LocalHttpServer::Answer(200, oversized)},
        {"oversized, not announced",
         "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n" + oversized},
    };
    for (const Case& c : cases) {
        WriteFileText(localCopy_, "sentinel");
        LocalHttpServer server(c.answer);
        CheckRun run = Run(server.BaseUrl(), L"1.0");
        EXPECT_EQ(run.code, kUpdateOpenFailed) << c.what;
        EXPECT_EQ(run.asked, 0) << c.what;
        EXPECT_GE(server.Requests(), 1) << c.what;
        EXPECT_EQ(ReadFileText(localCopy_), "sentinel") << c.what;
    }
}

TEST_F(UpdateCheck, NoServerFailsWithinTheTimeOut) {
    const ULONGLONG start = ::GetTickCount64();
    EXPECT_EQ(Run(LocalHttpServer::ClosedBaseUrl(), L"1.0", true, 2000).code, kUpdateOpenFailed);
    EXPECT_LT(::GetTickCount64() - start, 2 * (2000 + kDeadlineMargin)) << "two checks";
}

TEST_F(UpdateCheck, SilentServerFailsWithinTheTimeOut) {
    LocalHttpServer silent = LocalHttpServer::Silent();
    CAutoUpdater updater({1500, localCopy_, std::wstring(L"1.0")});
    const ULONGLONG start = ::GetTickCount64();
    EXPECT_EQ(updater.Fetch(silent.BaseUrl()).code, kUpdateOpenFailed);
    EXPECT_LT(::GetTickCount64() - start, 1500 + kDeadlineMargin);
}

// What lets the start-up check's worker be joined at exit without waiting for the server.
TEST_F(UpdateCheck, AStopEndsTheWaitOnASilentServerAtOnce) {
    LocalHttpServer silent = LocalHttpServer::Silent();
    CAutoUpdater updater({15000, localCopy_, std::wstring(L"1.0")});
    UniqueKernelHandle stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    // Set half a second in, while the request waits for an answer.
    std::thread stopper([&] {
        ::Sleep(500);
        ::SetEvent(stop.Get());
    });
    const ULONGLONG start = ::GetTickCount64();
    EXPECT_EQ(updater.Fetch(silent.BaseUrl(), stop.Get()).code, kUpdateOpenFailed);
    EXPECT_LT(::GetTickCount64() - start, 500 + kDeadlineMargin);
    stopper.join();
}

// A server that sends the headers and part of the body, then nothing: every read waits on the
// network. A stop must still end the download at once, and nothing of the part may be kept.
TEST_F(UpdateCheck, AStopEndsADownloadStalledHalfWayAndKeepsNoPartOfIt) {
    const std::string answer = LocalHttpServer::Answer(200, Ini("9.0") + "; " + std::string(200, '-') + "\r\n");
    LocalHttpServer stalled = LocalHttpServer::Trickling(answer, answer.find("\r\n\r\n") + 4 + 12, 60000);
    WriteFileText(localCopy_, "sentinel");
    CAutoUpdater updater({15000, localCopy_, std::wstring(L"1.0")});
    UniqueKernelHandle stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread stopper([&] {
        ::Sleep(700);
        ::SetEvent(stop.Get());
    });
    const ULONGLONG start = ::GetTickCount64();
    EXPECT_EQ(updater.Fetch(stalled.BaseUrl(), stop.Get()).code, kUpdateOpenFailed);
    EXPECT_LT(::GetTickCount64() - start, 700 + kDeadlineMargin);
    stopper.join();
    EXPECT_EQ(stalled.Requests(), 1);
    EXPECT_EQ(ReadFileText(localCopy_), "sentinel");
    EXPECT_EQ(NamesIn(folder_.Path()), std::vector<std::wstring>{L"update.ini"}) << "no part kept under another name";
}

TEST_F(UpdateCheck, TricklingServerFailsWithinTheDeadline) {
    // Every byte comes well within any single read's time-out; the whole answer would take
    // tens of seconds.
    const std::string answer = LocalHttpServer::Answer(200, Ini("9.0") + "; " + std::string(200, '-') + "\r\n");
    const size_t headers = answer.find("\r\n\r\n") + 4;
    for (size_t sentAtOnce : {size_t{0}, headers}) {
        WriteFileText(localCopy_, "sentinel");
        LocalHttpServer server = LocalHttpServer::Trickling(answer, sentAtOnce, 100);
        CAutoUpdater updater({1500, localCopy_, std::wstring(L"1.0")});
        const ULONGLONG start = ::GetTickCount64();
        EXPECT_EQ(updater.Fetch(server.BaseUrl()).code, kUpdateOpenFailed) << sentAtOnce;
        EXPECT_LT(::GetTickCount64() - start, 1500 + kDeadlineMargin) << sentAtOnce;
        EXPECT_EQ(ReadFileText(localCopy_), "sentinel");
    }
}

TEST_F(UpdateCheck, UnwritableLocalCopyDoesNotStopTheCheck) {
    localCopy_ = folder_ / L"missing\\folder\\update.ini";
    LocalHttpServer server(LocalHttpServer::Answer(200, Ini("3.1")));
    CheckRun run = Run(server.BaseUrl(), L"3.0");
    EXPECT_EQ(run.code, kUpdateProceed);
    EXPECT_FALSE(run.finding.localCopySaved);
    EXPECT_FALSE(FileExists(localCopy_));
}

TEST_F(UpdateCheck, ReadOnlyCopyBesideTheProgramIsKeptAndTheAnswerStillCounts) {
    const std::wstring beside = TestBinFolder() + L"update.ini";
    struct PutBack {
        std::wstring path;
        std::optional<std::string> saved;
        ~PutBack() {
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileW(path.c_str());
            if (saved) WriteFileText(path, *saved);
        }
    } putBack{beside, FileExists(beside) ? std::optional(ReadFileText(beside)) : std::nullopt};
    ::SetFileAttributesW(beside.c_str(), FILE_ATTRIBUTE_NORMAL);
    WriteFileText(beside, Ini("1.0"));
    ASSERT_TRUE(::SetFileAttributesW(beside.c_str(), FILE_ATTRIBUTE_READONLY));

    LocalHttpServer server(LocalHttpServer::Answer(200, Ini("3.1")));
    CAutoUpdater updater({5000, std::wstring(), std::wstring(L"3.0")});
    const UpdateFinding finding = updater.Fetch(server.BaseUrl());
    EXPECT_EQ(finding.code, kUpdateProceed) << "the answer, not the old copy, decides";
    EXPECT_EQ(finding.serverVersion, L"3.1");
    EXPECT_FALSE(finding.localCopySaved);
    EXPECT_EQ(ReadFileText(beside), Ini("1.0"));
    EXPECT_NE(::GetFileAttributesW(beside.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);

    ::SetFileAttributesW(beside.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(updater.Fetch(server.BaseUrl()).localCopySaved);
    EXPECT_EQ(ReadFileText(beside), Ini("3.1"));
}

// Under Wine a file link shows as a plain file, and writing to its name writes to what it points
// to; the links here are made from the Linux side.
TEST_F(UpdateCheck, AnUpdateIniThatIsALinkOrBehindALinkedFolderIsNeverWrittenThrough) {
    const std::wstring precious = folder_ / L"precious.ini";
    WriteFileText(precious, "precious");
    WriteFileText(folder_ / L"other\\sentinel.txt", "keep");
    if (!MakeFileLink(localCopy_, precious)) GTEST_SKIP() << "file links show as links here";
    ASSERT_TRUE(MakeFolderLink(folder_ / L"linked", folder_ / L"other"));
    ASSERT_EQ(ReadFileText(localCopy_), "precious") << "the link reads as its target";

    LocalHttpServer server(LocalHttpServer::Answer(200, Ini("3.1")));
    for (const std::wstring& copy : {localCopy_, folder_ / L"linked\\update.ini"}) {
        CAutoUpdater updater({5000, copy, std::wstring(L"3.0")});
        const UpdateFinding finding = updater.Fetch(server.BaseUrl());
        EXPECT_EQ(finding.code, kUpdateProceed) << "the answer still counts";
        EXPECT_FALSE(finding.localCopySaved);
    }
    EXPECT_EQ(ReadFileText(precious), "precious");
    EXPECT_EQ(ReadFileText(localCopy_), "precious") << "still the link to it";
    EXPECT_EQ(ReadFileText(folder_ / L"other\\sentinel.txt"), "keep");
    EXPECT_FALSE(FileExists(folder_ / L"other\\update.ini")) << "nothing written into the linked folder";
    EXPECT_EQ(NamesIn(folder_.Path()), (std::vector<std::wstring>{L"linked", L"other", L"precious.ini", L"update.ini"}))
        << "no answer left behind under another name";
    RemoveFolderLink(folder_ / L"linked");
}

TEST_F(UpdateCheck, AGoodAnswerReplacesThePlainCopyWholeAndLeavesNoOtherFile) {
    WriteFileText(localCopy_, std::string(5000, 'o'));  // longer than the answer: nothing of it may remain
    WriteFileText(folder_ / L"sentinel.ini", "keep");
    LocalHttpServer server(LocalHttpServer::Answer(200, Ini("3.1")));
    CAutoUpdater updater({5000, localCopy_, std::wstring(L"3.0")});
    EXPECT_TRUE(updater.Fetch(server.BaseUrl()).localCopySaved);
    EXPECT_EQ(ReadFileText(localCopy_), Ini("3.1"));
    EXPECT_EQ(ReadFileText(folder_ / L"sentinel.ini"), "keep");
    EXPECT_EQ(NamesIn(folder_.Path()), (std::vector<std::wstring>{L"sentinel.ini", L"update.ini"}));
}

// An answer of many reads (with and without an announced length) is assembled whole and in order.
TEST_F(UpdateCheck, ALargeAnswerArrivesWholeOverManyReads) {
    std::string body = "[Notes]\r\n";
    for (int line = 0; body.size() < kMaxUpdateBody - 200; ++line) body += "Line" + std::to_string(line) + "=x\r\n";
    body += Ini("3.1");
    ASSERT_LE(body.size(), kMaxUpdateBody);
    for (const std::string& answer :
         {LocalHttpServer::Answer(200, body),
          "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n" + body}) {
        LocalHttpServer server(answer);
        CAutoUpdater updater({5000, localCopy_, std::wstring(L"3.0")});
        const UpdateFinding finding = updater.Fetch(server.BaseUrl());
        EXPECT_EQ(finding.code, kUpdateProceed);
        EXPECT_EQ(finding.serverVersion, L"3.1");
        EXPECT_EQ(ReadFileText(localCopy_), body);
    }
}

TEST(UpdateSource, VariableReplacesTheDownloadLocation) {
    struct Restore {
        ~Restore() { ::SetEnvironmentVariableW(kUpdateBaseVariable, nullptr); }
    } restore;
    ::SetEnvironmentVariableW(kUpdateBaseVariable, nullptr);
    EXPECT_EQ(UpdateDownloadLocation(), kUpdateDownloadBase);
    ::SetEnvironmentVariableW(kUpdateBaseVariable, L"http://mirror.example.org/updates/");
    EXPECT_EQ(UpdateDownloadLocation(), L"http://mirror.example.org/updates/");
    ::SetEnvironmentVariableW(kUpdateBaseVariable, L"https://mirror.example.org/u");
    EXPECT_EQ(UpdateDownloadLocation(), L"https://mirror.example.org/u/");
    ::SetEnvironmentVariableW(kUpdateBaseVariable, L"C:\\updates\\");
    EXPECT_EQ(UpdateDownloadLocation(), kUpdateDownloadBase);
}
