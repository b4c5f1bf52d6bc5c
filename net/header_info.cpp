#include "net/header_info.h"

#include <optional>

#include "net/base64.h"
#include "net/errors.h"
#include "net/internet_date.h"
#include "net/protocol_text.h"

namespace net {
namespace {

std::int64_t RangePart(std::string_view text) {
    std::optional<std::int64_t> value = ReadDecimal(text);
    if (!value) throw ConvertError::NotInteger(std::string(text));
    return *value;
}

// The value of the header, removed from the list with its continuation lines.
std::string TakeValue(HeaderList& raw, std::string_view name) {
    std::string value = raw.ValueOf(name);
    raw.PutValue(name, {});
    return value;
}

}  // namespace

void HeaderInfo::ResetFields() {
    accept = kDefaultAccept;
    acceptCharSet.clear();
    acceptEncoding.clear();
    acceptLanguage.clear();
    connection.clear();
    contentEncoding.clear();
    contentLanguage.clear();
    contentLength = 0;
    hasContentLength = false;
    contentRangeEnd = 0;
    contentRangeStart = 0;
    contentType.clear();
    contentVersion.clear();
    date = 0;
    expires = 0;
    lastModified = 0;
    extraHeaders.Clear();
    from.clear();
    location.clear();
    password.clear();
    proxyAuthenticate.clear();
    proxyPassword.clear();
    proxyPort = 0;
    proxyServer.clear();
    proxyUsername.clear();
    referer.clear();
    server.clear();
    userAgent = kDefaultUserAgent;
    username.clear();
    wwwAuthenticate.clear();
}

void HeaderInfo::WriteRequestLines(HeaderList& raw) const {
    raw.Clear();
    auto add = [&raw](const char* name, const std::string& value) {
        if (!value.empty()) raw.Add(std::string(name) + ": " + value);
    };
    add("Accept", accept);
    add("Accept-Charset", acceptCharSet);
    add("Accept-Encoding", acceptEncoding);
    add("Accept-Language", acceptLanguage);
    add("From", from);
    add("Referer", referer);
    add("User-Agent", userAgent);
    add("Connection", connection);
    add("Content-Version", contentVersion);
    add("Content-Encoding", contentEncoding);
    add("Content-Language", contentLanguage);
    add("Content-Type", contentType);
    if (contentLength != 0) raw.Add("Content-Length: " + std::to_string(contentLength));
    if (contentRangeStart != 0 || contentRangeEnd != 0) {
        std::string range = "Range: bytes=" + std::to_string(contentRangeStart) + "-";
        if (contentRangeEnd != 0) range += std::to_string(contentRangeEnd);
        raw.Add(range);
    }
    if (!username.empty()) {
        raw.Add("Authorization: Basic " + EncodeBase64(username + ":" + password));
    }
    if (!proxyServer.empty() && !proxyUsername.empty()) {
        raw.Add("Proxy-Authorization: Basic " + EncodeBase64(proxyUsername + ":" + proxyPassword));
    }
    for (const std::string& line : extraHeaders.Lines())
        raw.Add(line);
}

void HeaderInfo::TakeReplyFields(HeaderList& raw) {
    extraHeaders.Clear();
    location = TakeValue(raw, "Location");
    server = TakeValue(raw, "Server");
    connection = TakeValue(raw, "Connection");
    contentVersion = TakeValue(raw, "Content-Version");
    wwwAuthenticate = TakeValue(raw, "WWW-Authenticate");
    contentEncoding = TakeValue(raw, "Content-Encoding");
    contentLanguage = TakeValue(raw, "Content-Language");
    contentType = TakeValue(raw, "Content-Type");

    const std::string lengthText = TakeValue(raw, "Content-Length");
    std::optional<std::int64_t> length = ReadDecimal(TrimBlanks(lengthText));
    if (length && *length < 0) throw BadReplyError::NegativeContentLength(lengthText);
    contentLength = length.value_or(0);
    hasContentLength = length.has_value();

    contentRangeStart = 0;
    contentRangeEnd = 0;
    if (raw.FindName("Content-Range") >= 0) {
        const std::string rangeText = TakeValue(raw, "Content-Range");
        std::string_view range = TrimBlanks(rangeText);
        std::size_t space = range.find(' ');
        range.remove_prefix(space == std::string_view::npos ? range.size() : space + 1);
        std::size_t dash = range.find('-');
        contentRangeStart = RangePart(range.substr(0, dash));
        std::string_view afterDash =
            dash == std::string_view::npos ? std::string_view() : range.substr(dash + 1);
        contentRangeEnd = RangePart(afterDash.substr(0, afterDash.find('/')));
    }

    date = 0;
    if (raw.FindName("Date") >= 0) date = InternetDateToLocal(TakeValue(raw, "Date"));
    lastModified = 0;
    if (raw.FindName("Last-Modified") >= 0) {
        lastModified = InternetDateToLocal(TakeValue(raw, "Last-Modified"));
    }
    expires = 0;
    if (raw.FindName("Expires") >= 0) expires = InternetDateToLocal(TakeValue(raw, "Expires"));
    proxyAuthenticate = TakeValue(raw, "Proxy-Authenticate");

    for (const std::string& line : raw.Lines())
        extraHeaders.Add(line);
}

}  // namespace net
