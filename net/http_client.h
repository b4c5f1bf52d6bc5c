// Blocking HTTP/1.x client over its own TCP connection: GET (also HEAD and POST) of absolute
// http URLs, one request at a time.
//
// A reply succeeds when its status is 2xx without a Location header; any other status raises
// ProtocolReplyError after its body was read. Redirects are not followed unless asked. The
// connection is kept between requests when the reply allows it and the next URL names the
// same host and explicit port.
//
// Replies are read defensively: status and header lines are limited to kMaxReplyLineLength
// bytes and a reply to kMaxReplyHeaderLines header lines of kMaxReplyHeaderBytes in all; a negative
// Content-Length or a chunk size that is not hexadecimal fails the request. With time limits set,
// no wait lasts longer than them. After any failure other than an error status, the connection is
// closed, since what is left on it can no longer be trusted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "net/byte_sink.h"
#include "net/header_info.h"
#include "net/header_list.h"
#include "net/tcp_client.h"
#include "net/time_limit.h"

namespace net {

enum class HttpVersion { pv1_0, pv1_1 };
enum class HttpMethod { hmGet, hmHead, hmPost };

class HttpClient : public TcpClient {
  public:
    static constexpr std::size_t kMaxReplyLineLength = 64 * 1024;  // bytes
    static constexpr std::size_t kMaxReplyHeaderLines = 1000;
    // All header lines of one reply (or of a chunked trailer) together, so that a server cannot
    // make the client hold a thousand maximal lines.
    static constexpr std::size_t kMaxReplyHeaderBytes = 256 * 1024;
    static constexpr int kDefaultRedirectMaximum = 15;

    explicit HttpClient(std::shared_ptr<SocketLayer> stack = SharedSocketStack());

    HttpVersion ProtocolVersion() const { return protocolVersion_; }
    void SetProtocolVersion(HttpVersion version) { protocolVersion_ = version; }
    bool HandleRedirects() const { return handleRedirects_; }
    void SetHandleRedirects(bool handle) { handleRedirects_ = handle; }
    int RedirectMaximum() const { return redirectMaximum_; }
    void SetRedirectMaximum(int maximum) { redirectMaximum_ = maximum; }

    // Bound of one whole request, connecting and every read included; none by default. An
    // expired bound raises SocketError 10060 while connecting, ReadTimedOut afterwards.
    TimeLimit RequestTimeLimit() const { return requestTimeLimit_; }
    void SetRequestTimeLimit(TimeLimit limit) { requestTimeLimit_ = limit; }

    // Largest reply body accepted; none by default. A reply that announces more, or sends
    // more, fails with BadReplyError before more than the bound has been read.
    std::optional<std::uint64_t> MaxBodySize() const { return maxBodySize_; }
    void SetMaxBodySize(std::optional<std::uint64_t> bytes) { maxBodySize_ = bytes; }

    HeaderInfo& Request() { return request_; }
    // The last reply whose status line was read, also when the request then failed.
    const HeaderInfo& ReplyInfo() const { return replyInfo_; }
    int StatusCode() const { return statusCode_; }
    // The status line without its first word: "404 Not Found".
    const std::string& StatusText() const { return statusText_; }
    // The request lines being built, then the raw header lines of the reply.
    HeaderList& RawHeaders() { return rawHeaders_; }
    int RedirectsDone() const { return redirectsDone_; }
    const std::string& HeaderHost() const { return headerHost_; }
    const std::string& HeaderProtocol() const { return headerProtocol_; }

    // Asked about each redirect: the destination, the number of requests made in the chain and
    // whether to follow (starting as HandleRedirects()); each may be changed.
    std::function<void(std::string& destination, int& redirectNumber, bool& handled)> onRedirect;

    // GET of the URL; returns the body.
    std::string DownloadText(const std::string& url);
    // GET of the URL, the body written into the stream.
    void DownloadToStream(const std::string& url, ByteSink& stream);
    // HEAD of the URL: status and headers only.
    void Head(const std::string& url);
    // POST of the body (sent with its Content-Length) to the URL; the reply body goes to the
    // response stream.
    void Post(const std::string& url, std::string_view body, ByteSink& response);

    // Points Host and Port at the URL's host and port (or at the proxy) and closes a connection
    // that goes elsewhere. Port text empty or not a number: 80 (443 for https). An https URL
    // needs an SSL intercept (InterceptPropInvalid otherwise), which it switches on. Returns
    // whether a proxy was chosen.
    bool ChooseEndpoint(const std::string& protocol, const std::string& host,
                        const std::string& portText);

    // The whole exchange: connect when needed, send the request, read the reply, decide. The
    // body goes to the stream when one is given; `source` is the body of a POST.
    void PerformRequest(HttpMethod method, const std::string& url, ByteSink* stream,
                        std::optional<std::string_view> source = std::nullopt);

  private:
    class RequestDeadline;

    std::string VersionText() const;
    std::string ReadReplyLine();
    void ReadStatusLine();
    void ReadReplyHeaders();
    void ReadReplyBody(HttpMethod method, ByteSink* stream);
    std::int64_t ReadChunkLength();
    bool AskRedirect(std::string& destination);
    void OpenTunnel(const std::string& host, int port);
    void DecideOnReply(HttpMethod method, ByteSink* stream, std::optional<std::string_view> source);

    HttpVersion protocolVersion_ = HttpVersion::pv1_1;
    bool handleRedirects_ = false;
    int redirectMaximum_ = kDefaultRedirectMaximum;
    TimeLimit requestTimeLimit_;
    std::optional<std::uint64_t> maxBodySize_;
    HeaderInfo request_;
    HeaderInfo replyInfo_;
    HeaderList rawHeaders_;
    int statusCode_ = 0;
    std::string statusText_;
    bool replyIsHttp10_ = false;
    int redirectsDone_ = 0;
    std::string headerHost_;
    std::string headerProtocol_;
};

}  // namespace net
