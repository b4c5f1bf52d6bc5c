// The update check against sites that never finish their reply: start-up goes on within the
// check's time limits, silently, and memory stays bounded whatever the site sends.
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "app/logic/update_check.h"
#include "tests/net/hostile_scripts.h"
#include "tests/net/scripted_server.h"

namespace app {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using net::testing::ScriptedServer;

constexpr const char* kVersion = "2.22.02";

// Peak resident memory of the process so far, in KiB.
long PeakRssKib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Outcome {
    std::chrono::milliseconds duration;
    int boxes = 0;
    long peakGrowthKib = 0;
};

Outcome RunCheckAgainst(ScriptedServer& server, bool defaultLimits, std::chrono::milliseconds read,
                        std::chrono::milliseconds probe) {
    Outcome outcome;
    UpdateCheck check(server.Url(""), kVersion,
                      [&](const std::string&, const std::string&) { ++outcome.boxes; });
    if (!defaultLimits) check.SetTimeLimits(UpdateCheck::kConnectTimeLimit, read, probe);
    const long peakBefore = PeakRssKib();
    const Clock::time_point start = Clock::now();
    check.Run();
    outcome.duration = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    outcome.peakGrowthKib = PeakRssKib() - peakBefore;
    return outcome;
}

// Nothing a site sends may make the check keep more than this.
constexpr long kMemoryBoundKib = 8 * 1024;

// Short limits, so that the table runs quickly; the drip comes every second, within the
// read limit, so only the bound on the whole probe ends it.
constexpr auto kReadLimit = 1500ms;
constexpr auto kProbeLimit = 3000ms;
constexpr auto kSlack = 1500ms;

TEST(UpdateCheckAgainstHostileSites, EndsSilentlyWithinItsLimitsAndBoundedMemory) {
    struct Case {
        const char* name;
        ScriptedServer::Script script;
        std::chrono::milliseconds bound;
    };
    const Case cases[] = {
        // Refused by the client's bounds on header lines, long before any time limit.
        {"endless short header lines", net::testing::EndlessHeaderLines(10), kSlack},
        {"endless long header lines", net::testing::EndlessHeaderLines(60000), kSlack},
        {"endless status line", net::testing::EndlessStatusLine(), kSlack},
        // Refused by the bound on the size of a page.
        {"endless chunked body", net::testing::EndlessChunkedBody(), kSlack},
        {"4 GiB Content-Length", net::testing::HugeContentLength(4ull << 30), kSlack},
        {"reply that never ends", net::testing::ReplyUntilCloseThatNeverCloses(), kSlack},
        // Ended by the bound on the whole probe: each byte comes within the read limit.
        {"one byte per second", net::testing::Drip(1s), kProbeLimit + kSlack},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(c.script);
        const Outcome outcome = RunCheckAgainst(server, false, kReadLimit, kProbeLimit);
        std::cout << "[ mesure ] " << c.name << " : " << outcome.duration.count()
                  << " ms, pic RSS +" << outcome.peakGrowthKib << " Kio (total " << PeakRssKib()
                  << " Kio)\n";
        EXPECT_LT(outcome.duration, c.bound);
        EXPECT_EQ(outcome.boxes, 0);
        EXPECT_LT(outcome.peakGrowthKib, kMemoryBoundKib);
        // The index page failed: the version page is never asked for.
        EXPECT_EQ(server.Requests().size(), 1u);
        EXPECT_TRUE(server.WaitForScripts(1));
    }
}

TEST(UpdateCheckAgainstHostileSites, TheProgramsOwnLimitsEndADrip) {
    ScriptedServer server(net::testing::Drip(1s));
    const Outcome outcome = RunCheckAgainst(server, true, {}, {});
    std::cout << "[ mesure ] goutte a goutte, limites du programme : " << outcome.duration.count()
              << " ms\n";
    EXPECT_LT(outcome.duration, UpdateCheck::kProbeTimeLimit + kSlack);
    EXPECT_EQ(outcome.boxes, 0);
}

}  // namespace
}  // namespace app
