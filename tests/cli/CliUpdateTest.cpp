// scourwell-cli check-update against a server in the test process, reached through
// SCOURWELL_UPDATE_BASE (the program inherits this process's environment).
#include <gtest/gtest.h>

#include "tests/cli/CliProcess.h"
#include "tests/common/LocalHttpServer.h"
#include "update/core/UpdateSource.h"

using namespace scw;
using namespace scw::test;

namespace {
std::string Ini(const std::string& version) { return "[Program]\r\nVersion=" + version + "\r\n"; }

class CliUpdate : public testing::Test {
protected:
    void TearDown() override { ::SetEnvironmentVariableW(kUpdateBaseVariable, nullptr); }
    ProcessResult CheckAgainst(const std::wstring& base, const std::wstring& extra = L"") {
        ::SetEnvironmentVariableW(kUpdateBaseVariable, base.c_str());
        return cli.Run(L"check-update" + extra);
    }
    ProcessResult CheckAnswer(const std::string& answer, const std::wstring& extra = L"") {
        LocalHttpServer server(answer);
        return CheckAgainst(server.BaseUrl(), extra);
    }

    CliCopy cli;
};
}  // namespace

TEST_F(CliUpdate, PrintsStatusServerVersionAndRunningVersion) {
    struct Case {
        std::string answer;
        std::string line;
    } cases[] = {
        {LocalHttpServer::Answer(200, Ini("2.0")), "newer\t2.0\t1.0"},
        {LocalHttpServer::Answer(200, Ini("1.0.0.0")), "current\t1.0.0.0\t1.0"},
        {LocalHttpServer::Answer(200, Ini("0.9")), "current\t0.9\t1.0"},
        {LocalHttpServer::Answer(200, Ini("6.0 beta")), "malformed\t6.0 beta\t1.0"},
        {LocalHttpServer::Answer(200, "<html><body>moved</body></html>"), "malformed\t-\t1.0"},
    };
    for (const Case& c : cases) {
        ProcessResult result = CheckAnswer(c.answer);
        ASSERT_FALSE(result.timedOut);
        EXPECT_EQ(result.exitCode, 0u) << c.line;
        EXPECT_EQ(Lines(result.output), std::vector<std::string>{c.line});
    }
    ProcessResult json = CheckAnswer(LocalHttpServer::Answer(200, Ini("2.0")), L" --json");
    auto record = ParseJsonObject(LastLine(json.output));
    ASSERT_TRUE(record.has_value()) << json.output;
    EXPECT_EQ(std::get<std::wstring>((*record)["status"]), L"newer");
    EXPECT_EQ(std::get<std::wstring>((*record)["server"]), L"2.0");
    EXPECT_EQ(std::get<std::wstring>((*record)["running"]), L"1.0");
}

TEST_F(CliUpdate, FailedFetchExitsWithOne) {
    for (const std::wstring& base : {std::wstring(), LocalHttpServer::ClosedBaseUrl()}) {
        ProcessResult result;
        if (base.empty())
            result = CheckAnswer(LocalHttpServer::Answer(404, Ini("9.0")));
        else
            result = CheckAgainst(base);
        ASSERT_FALSE(result.timedOut);
        EXPECT_EQ(result.exitCode, 1u);
        EXPECT_EQ(Lines(result.output), std::vector<std::string>{"failed\t-\t1.0"});
    }
    EXPECT_EQ(cli.Run(L"check-update now").exitCode, 2u) << "no selection or other word belongs to it";
}
