#include "net/url.h"

#include <algorithm>

namespace net {

UrlParts SplitUrl(std::string_view url) {
    UrlParts parts;
    std::string rest(url);
    std::replace(rest.begin(), rest.end(), '\\', '/');
    if (std::size_t scheme = rest.find("://"); scheme != std::string::npos) {
        parts.protocol = rest.substr(0, scheme);
        rest.erase(0, scheme + 3);
        std::size_t slash = rest.find('/');
        std::string authority = rest.substr(0, slash);
        rest.erase(0, slash == std::string::npos ? rest.size() : slash + 1);
        std::size_t colon = authority.find(':');
        parts.host = authority.substr(0, colon);
        if (colon != std::string::npos) parts.port = authority.substr(colon + 1);
    }
    std::size_t lastSlash = rest.rfind('/');
    if (lastSlash != std::string::npos) {
        parts.path = rest.substr(0, lastSlash + 1);
        parts.document = rest.substr(lastSlash + 1);
    } else {
        parts.document = rest;
    }
    if (parts.path.empty() || parts.path.front() != '/') {
        std::string rooted(1, '/');
        rooted += parts.path;
        parts.path = std::move(rooted);
    }
    if (std::size_t hash = parts.document.find('#'); hash != std::string::npos) {
        parts.bookmark = parts.document.substr(hash + 1);
        parts.document.erase(hash);
    }
    return parts;
}

}  // namespace net
