#include "app/logic/update_check.h"

#include <exception>

#include "net/byte_sink.h"
#include "net/url.h"
#include "report/core/base/text.h"

namespace app {
namespace {

std::string TrimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

UpdateCheck::UpdateCheck(const std::string& site, std::string version,
                         ShowInformation showInformation)
    : site_(SiteFromSetting(site)),
      version_(std::move(version)),
      showInformation_(std::move(showInformation)) {
    SetTimeLimits(kConnectTimeLimit, kReadTimeLimit, kProbeTimeLimit);
    http1_.SetMaxBodySize(kMaxPageBytes);
}

void UpdateCheck::SetTimeLimits(net::TimeLimit connect, net::TimeLimit read, net::TimeLimit probe) {
    http1_.SetConnectTimeout(connect);
    http1_.SetReadTimeout(read);
    http1_.SetRequestTimeLimit(probe);
}

std::string UpdateCheck::SiteFromSetting(const std::string& setting) {
    std::string site = TrimBlanks(setting);
    if (site.empty()) return kUpdateSite;
    if (site.find("://") == std::string::npos) site = "http://" + site;
    while (!site.empty() && site.back() == '/')
        site.pop_back();
    return site;
}

std::string UpdateCheck::IndexPageUrl() const {
    return site_ + kUpdateIndexPath;
}

std::string UpdateCheck::VersionPageUrl() const {
    return site_ + kUpdateVersionPathPrefix + version_ + kUpdateVersionPathSuffix;
}

bool UpdateCheck::IsReservedInvalidHost(const std::string& url) {
    std::string host = net::SplitUrl(url).host;
    if (!host.empty() && host.back() == '.') host.pop_back();
    constexpr std::string_view kReserved = ".invalid";
    if (report::SameText(host, kReserved.substr(1))) return true;
    return host.size() > kReserved.size() &&
           report::SameText(std::string_view(host).substr(host.size() - kReserved.size()),
                            kReserved);
}

bool UpdateCheck::ProbeUrl(const std::string& url) {
    if (IsReservedInvalidHost(url)) return false;
    try {
        // Each probe on a connection of its own, even when the site names a port (the client
        // would otherwise reuse the previous one, which the server may be closing).
        http1_.CloseConnection();
        net::DiscardingSink body;
        http1_.DownloadToStream(url, body);
        return http1_.StatusCode() == 200;
    } catch (const std::exception&) {
        return false;
    }
}

void UpdateCheck::Run(bool switchedOff) {
    if (switchedOff) return;
    const std::string indexUrl = IndexPageUrl();
    const bool newerVersion = ProbeUrl(indexUrl) && !ProbeUrl(VersionPageUrl());
    // Nothing stays connected to the site while the user reads the box, or afterwards.
    http1_.CloseConnection();
    if (newerVersion && showInformation_) {
        showInformation_(kInformationCaption, InformationText(indexUrl));
    }
}

std::string UpdateCheck::InformationText(const std::string& indexUrl) {
    return std::string("Il \xE9xiste une nouvelle version d'Arvo_Kem") + "\n\n" +
           "    qui peut \xEAtre t\xE9l\xE9"
           "charg\xE9"
           "e sur :" +
           "\n\n" + indexUrl + "\n\n" + "  n'oubliez pas d'arr\xEAter Arvo_Kem " + "\n\n" +
           "            avant installation.";
}

}  // namespace app
