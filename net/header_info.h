// The fields of HTTP headers, for a request (what to send) and for a reply (what came).
#pragma once

#include <cstdint>
#include <string>

#include "net/header_list.h"

namespace net {

struct HeaderInfo {
    std::string accept;
    std::string acceptCharSet;
    std::string acceptEncoding;
    std::string acceptLanguage;
    std::string connection;
    std::string contentEncoding;
    std::string contentLanguage;
    std::int64_t contentLength = 0;  // bytes; a reply with a negative length is refused
    // Reply only: a Content-Length header that reads as a number was present (0 included).
    bool hasContentLength = false;
    std::int64_t contentRangeEnd = 0;
    std::int64_t contentRangeStart = 0;
    std::string contentType;
    std::string contentVersion;
    double date = 0;  // days since 30 December 1899, local time; 0 when absent
    double expires = 0;
    double lastModified = 0;
    HeaderList extraHeaders;  // reply: every header line not taken into a field
    std::string from;
    std::string location;
    std::string password;
    std::string proxyAuthenticate;
    std::string proxyPassword;
    int proxyPort = 0;
    std::string proxyServer;
    std::string proxyUsername;
    std::string referer;
    std::string server;
    std::string userAgent;
    std::string username;
    std::string wwwAuthenticate;

    static constexpr const char* kDefaultAccept = "text/html, */*";
    static constexpr const char* kDefaultUserAgent = "Mozilla/3.0 (compatible; Tombage)";

    HeaderInfo() { ResetFields(); }

    // Accept and UserAgent to their defaults, every other text empty, numbers and dates 0.
    void ResetFields();

    // Replaces `raw` by the request header lines of the fields that are set, in the order of
    // the protocol's usual listing, ending with the extra headers.
    void WriteRequestLines(HeaderList& raw) const;

    // Takes the known headers of a reply out of `raw` into the fields; what is left goes to
    // extraHeaders. A negative Content-Length raises BadReplyError; a Content-Range part that
    // is not an integer raises ConvertError; unreadable dates give 0.
    void TakeReplyFields(HeaderList& raw);
};

}  // namespace net
