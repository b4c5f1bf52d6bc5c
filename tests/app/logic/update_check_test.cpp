#include "app/logic/update_check.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/net/nginx_server.h"
#include "tests/net/scripted_server.h"

namespace app {
namespace {

using namespace std::chrono_literals;
using net::testing::NginxServer;
using net::testing::ScriptedServer;
using net::testing::ServerConnection;

constexpr const char* kVersion = "2.22.02";

struct Box {
    std::string caption;
    std::string text;
};

// An update check whose boxes are collected instead of shown.
class RecordingCheck {
  public:
    explicit RecordingCheck(const std::string& site)
        : check(site, kVersion, [this](const std::string& caption, const std::string& text) {
              boxes.push_back({caption, text});
          }) {}

    std::vector<Box> boxes;
    UpdateCheck check;
};

ScriptedServer::Script Reply(std::string reply) {
    return [reply](ServerConnection& connection) {
        if (connection.ReadRequest().empty()) return;
        connection.Send(reply);
        connection.WaitForClientClose(2s);
    };
}

const char* const kOk = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";
const char* const kNotFound = "HTTP/1.1 404 Not Found\r\nContent-Length: 4\r\n\r\nnone";

std::vector<std::string> RequestLines(const ScriptedServer& server) {
    std::vector<std::string> lines;
    for (const std::string& request : server.Requests()) {
        lines.push_back(request.substr(0, request.find("\r\n")));
    }
    return lines;
}

TEST(UpdateCheck, InformationTextAndUrls) {
    EXPECT_EQ(UpdateCheck::InformationText("http://h/arbitrage/index.html"),
              "Il \xE9xiste une nouvelle version d'Arvo_Kem\n\n"
              "    qui peut \xEAtre t\xE9l\xE9"
              "charg\xE9"
              "e sur :\n\n"
              "http://h/arbitrage/index.html\n\n"
              "  n'oubliez pas d'arr\xEAter Arvo_Kem \n\n"
              "            avant installation.");

    const std::pair<const char*, const char*> sites[] = {
        {"", kUpdateSite},
        {"   ", kUpdateSite},
        {"http://127.0.0.1:8080", "http://127.0.0.1:8080"},
        {" http://127.0.0.1:8080/ ", "http://127.0.0.1:8080"},
        {"127.0.0.1:8080", "http://127.0.0.1:8080"},
    };
    for (const auto& [setting, site] : sites) {
        SCOPED_TRACE(setting);
        EXPECT_EQ(UpdateCheck::SiteFromSetting(setting), site);
    }
    UpdateCheck check("http://127.0.0.1:8080", kVersion, nullptr);
    EXPECT_EQ(check.IndexPageUrl(), "http://127.0.0.1:8080/arbitrage/index.html");
    EXPECT_EQ(check.VersionPageUrl(), "http://127.0.0.1:8080/arbitrage/Tombage_2.22.02.html");
    EXPECT_EQ(UpdateCheck("", kVersion, nullptr).IndexPageUrl(),
              std::string(kUpdateSite) + "/arbitrage/index.html");
}

TEST(UpdateCheck, BuiltInSiteIsReservedAndNeverAsked) {
    EXPECT_TRUE(UpdateCheck::IsReservedInvalidHost(kUpdateSite));
    const std::pair<const char*, bool> urls[] = {
        {"http://mises-a-jour.tombage.invalid/arbitrage/index.html", true},
        {"http://X.INVALID:8080/", true},
        {"http://x.invalid./", true},
        {"http://invalid/", true},
        {"http://invalid.example.org/", false},
        {"http://xinvalid/", false},
        {"http://127.0.0.1:8080/arbitrage/index.html", false},
    };
    for (const auto& [url, reserved] : urls) {
        SCOPED_TRACE(url);
        EXPECT_EQ(UpdateCheck::IsReservedInvalidHost(url), reserved);
    }
    // Without a "Site" setting the check ends silently.
    RecordingCheck recording("");
    EXPECT_FALSE(recording.check.ProbeUrl(recording.check.IndexPageUrl()));
    recording.check.Run();
    EXPECT_TRUE(recording.boxes.empty());
}

TEST(UpdateCheck, ProbesInOrderAndTellsOnlyWhenTheVersionPageIsMissing) {
    const std::string indexLine = "GET /arbitrage/index.html HTTP/1.1";
    const std::string versionLine = "GET /arbitrage/Tombage_2.22.02.html HTTP/1.1";
    struct Case {
        const char* name;
        std::vector<ScriptedServer::Script> scripts;
        std::size_t boxes;
        std::vector<std::string> requests;
    };
    const Case cases[] = {
        {"index 200, version 404", {Reply(kOk), Reply(kNotFound)}, 1, {indexLine, versionLine}},
        {"index 200, version 200", {Reply(kOk), Reply(kOk)}, 0, {indexLine, versionLine}},
        {"index 404", {Reply(kNotFound), Reply(kOk)}, 0, {indexLine}},
        {"index redirected",
         {Reply("HTTP/1.1 302 Found\r\nLocation: /ailleurs\r\nContent-Length: 0\r\n\r\n"),
          Reply(kOk)},
         0,
         {indexLine}},
        {"index 204", {Reply("HTTP/1.1 204 No Content\r\n\r\n"), Reply(kOk)}, 0, {indexLine}},
        {"version page 500",
         {Reply(kOk), Reply("HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\n\r\n")},
         1,
         {indexLine, versionLine}},
        {"version page cut off",
         {Reply(kOk), [](ServerConnection& connection) { connection.ReadRequest(); }},
         1,
         {indexLine, versionLine}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(c.scripts);
        RecordingCheck recording("http://127.0.0.1:" + std::to_string(server.Port()));
        recording.check.Run();
        ASSERT_EQ(recording.boxes.size(), c.boxes);
        if (c.boxes == 1) {
            EXPECT_EQ(recording.boxes[0].caption, "Information");
            EXPECT_EQ(recording.boxes[0].text,
                      UpdateCheck::InformationText(server.Url("/arbitrage/index.html")));
        }
        EXPECT_EQ(RequestLines(server), c.requests);
    }
}

TEST(UpdateCheck, SilentWhenTheSiteCannotBeReached) {
    // Nothing listens.
    {
        RecordingCheck recording("http://127.0.0.1:" +
                                 std::to_string(net::testing::UnusedLoopbackPort()));
        recording.check.Run();
        EXPECT_TRUE(recording.boxes.empty());
    }
    // The server accepts and never answers: the check gives up within its limits.
    {
        ScriptedServer server([](ServerConnection& connection) {
            connection.ReadRequest();
            connection.WaitForClientClose(3s);
        });
        RecordingCheck recording(server.Url(""));
        recording.check.SetTimeLimits(200ms, 100ms, 300ms);
        const auto start = std::chrono::steady_clock::now();
        recording.check.Run();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
        EXPECT_TRUE(recording.boxes.empty());
        EXPECT_EQ(server.Requests().size(), 1u);
    }
}

TEST(UpdateCheck, SwitchedOffMakesNoRequestAtAll) {
    ScriptedServer server(Reply(kOk));
    RecordingCheck recording(server.Url(""));
    recording.check.Run(true);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(server.ConnectionsAccepted(), 0);
    EXPECT_TRUE(recording.boxes.empty());
}

TEST(UpdateCheck, AgainstNginx) {
    NginxServer nginx;
    nginx.WriteFile("arbitrage/index.html", "<html>Versions</html>");
    {
        SCOPED_TRACE("version page missing");
        RecordingCheck recording(nginx.Site());
        recording.check.Run();
        ASSERT_EQ(recording.boxes.size(), 1u);
        EXPECT_NE(
            recording.boxes[0].text.find("\n\n" + nginx.Url("/arbitrage/index.html") + "\n\n"),
            std::string::npos);
    }
    nginx.WriteFile("arbitrage/Tombage_2.22.02.html", "<html>A jour</html>");
    {
        SCOPED_TRACE("version page present");
        RecordingCheck recording(nginx.Site());
        recording.check.Run();
        EXPECT_TRUE(recording.boxes.empty());
    }
    nginx.RemoveFile("arbitrage/index.html");
    {
        SCOPED_TRACE("index page missing");
        RecordingCheck recording(nginx.Site());
        recording.check.Run();
        EXPECT_TRUE(recording.boxes.empty());
    }
    EXPECT_EQ(
        nginx.RequestsLogged(5),
        (std::vector<std::string>{
            "GET /arbitrage/index.html HTTP/1.1", "GET /arbitrage/Tombage_2.22.02.html HTTP/1.1",
            "GET /arbitrage/index.html HTTP/1.1", "GET /arbitrage/Tombage_2.22.02.html HTTP/1.1",
            "GET /arbitrage/index.html HTTP/1.1"}));
}

}  // namespace
}  // namespace app
