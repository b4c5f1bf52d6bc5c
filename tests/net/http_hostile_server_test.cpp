// The HTTP client against servers whose reply never ends: each one is refused by a bound on
// what the client keeps, or by its time limits, with the error that says which.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "net/errors.h"
#include "net/http_client.h"
#include "tests/net/hostile_scripts.h"
#include "tests/net/scripted_server.h"

namespace net {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using testing::ScriptedServer;

constexpr auto kReadLimit = 1500ms;
constexpr auto kRequestLimit = 3000ms;
constexpr auto kSlack = 1500ms;

constexpr std::uint64_t kOneMebibyte = 1024 * 1024;

bool IsReadTimedOut(const NetError& error) {
    return dynamic_cast<const ReadTimedOut*>(&error) != nullptr;
}

bool IsBadReply(const NetError& error) {
    return dynamic_cast<const BadReplyError*>(&error) != nullptr;
}

TEST(HttpClientAgainstHostileServers, EachEndlessReplyIsRefusedInTime) {
    struct Case {
        const char* name;
        ScriptedServer::Script script;
        std::chrono::milliseconds bound;
        std::function<bool(const NetError&)> expected;
        std::string message;  // empty: not checked
        std::optional<std::uint64_t> maxBody = std::nullopt;
    };
    const Case cases[] = {
        {"endless short header lines", testing::EndlessHeaderLines(10), kSlack, IsBadReply,
         "R\xE9ponse incorrecte du serveur : plus de 1000 lignes d'en-t\xEAte."},
        {"endless long header lines", testing::EndlessHeaderLines(60000), kSlack, IsBadReply,
         "R\xE9ponse incorrecte du serveur : plus de 262144 octets d'en-t\xEAte."},
        {"endless status line", testing::EndlessStatusLine(), kSlack,
         [](const NetError& e) { return dynamic_cast<const LineTooLong*>(&e) != nullptr; }, ""},
        {"endless chunked body", testing::EndlessChunkedBody(), kRequestLimit + kSlack,
         IsReadTimedOut, ""},
        {"one byte per second", testing::Drip(1s), kRequestLimit + kSlack, IsReadTimedOut, ""},
        // Loopback delivers 4 GiB within the time limits: only a bound on the body refuses it.
        {"4 GiB Content-Length", testing::HugeContentLength(4ull << 30), kSlack, IsBadReply,
         "R\xE9ponse incorrecte du serveur : corps de plus de 1048576 octets.", kOneMebibyte},
        {"endless chunked body, bounded", testing::EndlessChunkedBody(), kSlack, IsBadReply,
         "R\xE9ponse incorrecte du serveur : corps de plus de 1048576 octets.", kOneMebibyte},
        {"reply that never ends, bounded", testing::ReplyUntilCloseThatNeverCloses(), kSlack,
         IsBadReply, "R\xE9ponse incorrecte du serveur : corps de plus de 1048576 octets.",
         kOneMebibyte},
        {"reply that never ends", testing::ReplyUntilCloseThatNeverCloses(), kRequestLimit + kSlack,
         IsReadTimedOut, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(c.script);
        HttpClient client;
        client.SetReadTimeout(kReadLimit);
        client.SetRequestTimeLimit(kRequestLimit);
        client.SetMaxBodySize(c.maxBody);
        DiscardingSink body;
        const Clock::time_point start = Clock::now();
        try {
            client.DownloadToStream(server.Url("/arbitrage/index.html"), body);
            ADD_FAILURE() << "the reply must be refused";
        } catch (const NetError& error) {
            EXPECT_TRUE(c.expected(error)) << error.what();
            if (!c.message.empty()) {
                EXPECT_EQ(std::string(error.what()), c.message);
            }
        }
        EXPECT_LT(Clock::now() - start, c.bound);
        EXPECT_FALSE(client.Binding().HandleAllocated());
    }
}

}  // namespace
}  // namespace net
