// The check at start-up for a newer version on the author's web site. No widgets: the main
// window gives the site (from Tombage.ini), the version and a way to show the information box.
//
// The index page is probed first; when it answers 200 the page named after the running version
// is probed, and when that one does not answer 200 the user is told that a newer version
// exists. Every network failure is silent. Connecting and each read wait at most 5 s, and a
// probe at most 10 s in all, so that a dead or misbehaving site never holds the start-up long.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "net/http_client.h"
#include "net/time_limit.h"

namespace app {

// The built-in site lies under the reserved ".invalid" domain, which never resolves: until the
// program has a site of its own, nothing is sent anywhere and the check ends silently. The key
// "Site" of section "MiseAjour" in Tombage.ini names a real server (for example
// Site=http://127.0.0.1:8080); the page paths stay the same.
inline constexpr const char* kUpdateSite = "http://mises-a-jour.tombage.invalid";
inline constexpr const char* kUpdateIndexPath = "/arbitrage/index.html";
inline constexpr const char* kUpdateVersionPathPrefix = "/arbitrage/Tombage_";
inline constexpr const char* kUpdateVersionPathSuffix = ".html";

class UpdateCheck {
  public:
    // Shows a modal information box with an OK button and returns when the user closed it.
    // Caption and text are Windows-1252.
    using ShowInformation =
        std::function<void(const std::string& caption, const std::string& text)>;

    static constexpr std::chrono::milliseconds kConnectTimeLimit{5000};
    static constexpr std::chrono::milliseconds kReadTimeLimit{5000};
    static constexpr std::chrono::milliseconds kProbeTimeLimit{10000};
    // The site's pages are small; a larger body is not one of them.
    static constexpr std::uint64_t kMaxPageBytes = 1024 * 1024;
    static constexpr const char* kInformationCaption = "Information";

    // `site`: "http://host" or "http://host:port" (a missing "http://" is added, a trailing "/"
    // dropped); empty or blank means kUpdateSite. `version`: "2.22.02".
    UpdateCheck(const std::string& site, std::string version, ShowInformation showInformation);

    // Replaces the default limits (tests use short ones). No value: no limit.
    void SetTimeLimits(net::TimeLimit connect, net::TimeLimit read, net::TimeLimit probe);

    const std::string& Site() const { return site_; }
    std::string IndexPageUrl() const;
    std::string VersionPageUrl() const;

    // True when a GET of the URL completes with the status 200 itself; any failure gives
    // false. The body is not kept.
    bool ProbeUrl(const std::string& url);

    // The check at start-up. Switched off by the user: no request at all. Otherwise the two
    // probes in order and, when only the index page answers 200, the information box.
    void Run(bool switchedOff = false);

    // The text of the information box, with the index page's URL on its fifth line.
    static std::string InformationText(const std::string& indexUrl);

    // The site a setting names, or kUpdateSite when it names none.
    static std::string SiteFromSetting(const std::string& setting);

    // True for a host under the reserved ".invalid" domain (any case, a final "." allowed):
    // such a site is never asked, not even through the name resolver.
    static bool IsReservedInvalidHost(const std::string& url);

  private:
    std::string site_;
    std::string version_;
    ShowInformation showInformation_;
    net::HttpClient http1_;
};

}  // namespace app
