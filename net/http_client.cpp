#include "net/http_client.h"

#include <limits>
#include <optional>

#include "net/byte_buffer.h"
#include "net/errors.h"
#include "net/protocol_text.h"
#include "net/url.h"

namespace net {
namespace {

constexpr int kDefaultHttpPort = 80;
constexpr int kDefaultHttpsPort = 443;

// Longest piece of a hostile line quoted in an error message.
constexpr std::size_t kQuotedLength = 64;

const char* MethodText(HttpMethod method) {
    switch (method) {
        case HttpMethod::hmHead:
            return "HEAD ";
        case HttpMethod::hmPost:
            return "POST ";
        case HttpMethod::hmGet:
            break;
    }
    return "GET ";
}

int PortNumber(const std::string& text) {
    std::optional<std::int64_t> port = ReadDecimal(text);
    if (!port || *port < 0 || *port > 65535) return -1;
    return static_cast<int>(*port);
}

bool HasNoBody(int statusCode) {
    return (statusCode >= 100 && statusCode < 200) || statusCode == 204 || statusCode == 304;
}

std::optional<std::int64_t> ReadHexadecimal(std::string_view text) {
    if (text.empty() || text.size() > 16) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = (value << 4) | static_cast<std::uint64_t>(digit);
    }
    if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(value);
}

// Passes a body on, and refuses it as soon as it would grow beyond the bound.
class BoundedSink final : public ByteSink {
  public:
    BoundedSink(ByteSink& sink, std::uint64_t limit) : sink_(sink), limit_(limit) {}
    void Write(const char* data, std::size_t count) override {
        if (count > limit_ - written_) throw BadReplyError::BodyTooLarge(limit_);
        written_ += count;
        sink_.Write(data, count);
    }
    void Restart() override {
        written_ = 0;
        sink_.Restart();
    }

  private:
    ByteSink& sink_;
    std::uint64_t limit_;
    std::uint64_t written_ = 0;
};

}  // namespace

// Sets the connection's deadline for the outermost request of a chain and clears it at the end.
class HttpClient::RequestDeadline {
  public:
    explicit RequestDeadline(HttpClient& client) : client_(client) {
        if (client_.requestTimeLimit_ && !client_.Deadline()) {
            client_.SetDeadline(Clock::now() + *client_.requestTimeLimit_);
            owner_ = true;
        }
    }
    ~RequestDeadline() {
        if (owner_) client_.SetDeadline(std::nullopt);
    }
    RequestDeadline(const RequestDeadline&) = delete;
    RequestDeadline& operator=(const RequestDeadline&) = delete;

  private:
    HttpClient& client_;
    bool owner_ = false;
};

HttpClient::HttpClient(std::shared_ptr<SocketLayer> stack) : TcpClient(std::move(stack)) {
    SetPort(kDefaultHttpPort);
}

std::string HttpClient::DownloadText(const std::string& url) {
    ByteBuffer body;
    DownloadToStream(url, body);
    return std::string(body.View());
}

void HttpClient::DownloadToStream(const std::string& url, ByteSink& stream) {
    PerformRequest(HttpMethod::hmGet, url, &stream);
}

void HttpClient::Head(const std::string& url) {
    PerformRequest(HttpMethod::hmHead, url, nullptr);
}

void HttpClient::Post(const std::string& url, std::string_view body, ByteSink& response) {
    PerformRequest(HttpMethod::hmPost, url, &response, body);
}

bool HttpClient::ChooseEndpoint(const std::string& protocol, const std::string& host,
                                const std::string& portText) {
    const int port = PortNumber(portText);
    const bool https = SameAscii(protocol, "HTTPS");
    if (https && (Intercept() == nullptr || !Intercept()->IsSsl())) throw InterceptPropInvalid();

    bool proxy = !request_.proxyServer.empty();
    if (!proxy) {
        if (!host.empty()) {
            if (Binding().HandleAllocated() && !(SameAscii(host, Host()) && port == Port())) {
                CloseConnection();
            }
            SetHost(host);
            headerHost_ = host;
            if (!protocol.empty()) headerProtocol_ = protocol;
        } else {
            headerHost_ = Host();
        }
        SetPort(port != -1 ? port : (https ? kDefaultHttpsPort : kDefaultHttpPort));
    } else {
        if (Binding().HandleAllocated() &&
            !(SameAscii(request_.proxyServer, Host()) && request_.proxyPort == Port())) {
            CloseConnection();
        }
        SetHost(request_.proxyServer);
        SetPort(request_.proxyPort);
        if (!host.empty()) headerHost_ = host;
        if (!protocol.empty()) headerProtocol_ = protocol;
    }
    if (https) {
        SetInterceptEnabled(true);
    } else if (Intercept() != nullptr && Intercept()->IsSsl()) {
        SetInterceptEnabled(false);
    }
    return proxy;
}

void HttpClient::PerformRequest(HttpMethod method, const std::string& url, ByteSink* stream,
                                std::optional<std::string_view> source) {
    RequestDeadline deadline(*this);
    ++redirectsDone_;
    const UrlParts parts = SplitUrl(url);
    std::string target = parts.path + parts.document;
    const bool proxy = ChooseEndpoint(parts.protocol, parts.host, parts.port);
    const bool https =
        SameAscii(parts.protocol.empty() ? headerProtocol_ : parts.protocol, "HTTPS");
    if (proxy && !https) {
        // The proxy needs the whole URL; the port is kept so that it reaches the right server.
        target = (parts.protocol.empty() ? headerProtocol_ : parts.protocol) + "://" +
                 (parts.host.empty() ? headerHost_ : parts.host) +
                 (parts.port.empty() ? std::string() : ":" + parts.port) + target;
    }

    CheckPeerClosed(false, false);
    if (!IsConnected()) {
        OpenConnection();
        try {
            if (proxy && https) {
                const int port = PortNumber(parts.port);
                OpenTunnel(parts.host.empty() ? headerHost_ : parts.host,
                           port == -1 ? kDefaultHttpsPort : port);
            }
            if (InterceptEnabled()) Intercept()->Connected();
        } catch (...) {
            CloseConnection();
            throw;
        }
    }

    try {
        rawHeaders_.Clear();
        request_.contentLength =
            method == HttpMethod::hmPost && source ? static_cast<std::int64_t>(source->size()) : 0;
        request_.WriteRequestLines(rawHeaders_);
        SendLine(MethodText(method) + target + " HTTP/" + VersionText());
        SendLine("Host: " + headerHost_);
        for (const std::string& line : rawHeaders_.Lines())
            SendLine(line);
        SendLine("");
        if (method == HttpMethod::hmPost && source) SendBytes(*source);

        ReadStatusLine();
        ReadReplyHeaders();
    } catch (...) {
        // Whatever is left of a broken exchange would be read as the next reply.
        CloseConnection();
        throw;
    }
    DecideOnReply(method, stream, source);

    if (protocolVersion_ == HttpVersion::pv1_0 || replyIsHttp10_) {
        CloseConnection();
    } else if (SameAscii(TrimBlanks(replyInfo_.connection), "CLOSE")) {
        if (IsConnected()) CloseConnection();
    } else {
        PollPeerClosed();
    }
    redirectsDone_ = 0;
}

void HttpClient::DecideOnReply(HttpMethod method, ByteSink* stream,
                               std::optional<std::string_view> source) {
    const int statusClass = statusCode_ / 100;
    try {
        if (statusClass == 1) {
            // An interim reply: the real one follows, which this client does not wait for.
            CloseConnection();
            throw ProtocolReplyError(statusCode_, statusText_);
        }
        ReadReplyBody(method, stream);
    } catch (const ProtocolReplyError&) {
        throw;
    } catch (...) {
        CloseConnection();
        throw;
    }

    if ((statusClass != 3 || statusCode_ == 304) && replyInfo_.location.empty()) {
        if (statusClass == 2) return;
        if (InterceptEnabled()) CloseConnection();
        throw ProtocolReplyError(statusCode_, statusText_);
    }

    std::string destination = replyInfo_.location;
    if (handleRedirects_ && redirectsDone_ < redirectMaximum_) {
        if (stream != nullptr) stream->Restart();
        if (AskRedirect(destination)) {
            if (protocolVersion_ == HttpVersion::pv1_0 || replyIsHttp10_) CloseConnection();
            PerformRequest(method, destination, stream, source);
        }
        return;
    }
    if (!AskRedirect(destination)) throw ProtocolReplyError(statusCode_, statusText_);
    replyInfo_.location = destination;
}

std::string HttpClient::VersionText() const {
    return protocolVersion_ == HttpVersion::pv1_0 ? "1.0" : "1.1";
}

std::string HttpClient::ReadReplyLine() {
    std::string line = ReceiveLine("\n", ReadTimeout(), kMaxReplyLineLength);
    if (LineTimedOut()) {
        if (Binding().HandleAllocated()) throw ReadTimedOut();
        throw ConnClosedGracefully();
    }
    return line;
}

void HttpClient::ReadStatusLine() {
    const std::string line = ReadReplyLine();
    replyIsHttp10_ = line.size() >= 8 && SameAscii(std::string_view(line).substr(5, 3), "1.0");
    const std::size_t space = line.find(' ');
    statusText_ = space == std::string::npos ? std::string() : line.substr(space + 1);
    statusCode_ = 0;
    replyInfo_.ResetFields();
    const std::string codeText = statusText_.substr(0, statusText_.find(' '));
    std::optional<std::int64_t> code = ReadDecimal(codeText);
    if (!code || *code < std::numeric_limits<int>::min() ||
        *code > std::numeric_limits<int>::max()) {
        throw ConvertError::NotInteger(codeText.substr(0, kQuotedLength));
    }
    statusCode_ = static_cast<int>(*code);
}

void HttpClient::ReadReplyHeaders() {
    rawHeaders_.Clear();
    std::size_t headerBytes = 0;
    for (;;) {
        std::string line = ReadReplyLine();
        if (line.empty()) break;
        if (rawHeaders_.Count() >= kMaxReplyHeaderLines) {
            throw BadReplyError::TooManyHeaderLines(kMaxReplyHeaderLines);
        }
        headerBytes += line.size();
        if (headerBytes > kMaxReplyHeaderBytes) {
            throw BadReplyError::TooManyHeaderBytes(kMaxReplyHeaderBytes);
        }
        rawHeaders_.Add(std::move(line));
    }
    replyInfo_.TakeReplyFields(rawHeaders_);
}

void HttpClient::ReadReplyBody(HttpMethod method, ByteSink* stream) {
    if (method == HttpMethod::hmHead || HasNoBody(statusCode_)) return;
    // Without a stream the body is still read, or it would be taken for the next reply.
    DiscardingSink discarded;
    if (stream == nullptr) stream = &discarded;
    std::optional<BoundedSink> bounded;
    if (maxBodySize_) stream = &bounded.emplace(*stream, *maxBodySize_);
    if (replyInfo_.hasContentLength) {
        if (maxBodySize_ && static_cast<std::uint64_t>(replyInfo_.contentLength) > *maxBodySize_) {
            throw BadReplyError::BodyTooLarge(*maxBodySize_);
        }
        if (replyInfo_.contentLength > 0) {
            ReceiveToStream(*stream, replyInfo_.contentLength, false);
        }
        return;
    }
    if (replyInfo_.extraHeaders.ValueOf("Transfer-Encoding").find("chunked") != std::string::npos) {
        DoStatus(Status::hsText,
                 "Op\xE9ration Chunk d\xE9marr\xE9"
                 "e");
        for (std::int64_t size = ReadChunkLength(); size > 0; size = ReadChunkLength()) {
            ReceiveToStream(*stream, size, false);
            ReadReplyLine();  // the line break after the chunk's bytes
        }
        // The trailer: header lines up to an empty one (usually none).
        std::size_t trailerBytes = 0;
        for (std::size_t lines = 0;; ++lines) {
            const std::string line = ReadReplyLine();
            if (line.empty()) break;
            if (lines >= kMaxReplyHeaderLines) {
                throw BadReplyError::TooManyHeaderLines(kMaxReplyHeaderLines);
            }
            trailerBytes += line.size();
            if (trailerBytes > kMaxReplyHeaderBytes) {
                throw BadReplyError::TooManyHeaderBytes(kMaxReplyHeaderBytes);
            }
        }
        return;
    }
    ReceiveToStream(*stream, 0, true);
}

std::int64_t HttpClient::ReadChunkLength() {
    const std::string line = ReadReplyLine();
    std::string_view size = line;
    size = size.substr(0, size.find_first_of(" ;"));  // chunk extensions follow ";"
    std::optional<std::int64_t> value = ReadHexadecimal(TrimBlanks(size));
    if (!value) throw BadReplyError::BadChunkSize(line.substr(0, kQuotedLength));
    return *value;
}

bool HttpClient::AskRedirect(std::string& destination) {
    bool handled = handleRedirects_;
    if (onRedirect) onRedirect(destination, redirectsDone_, handled);
    return handled;
}

void HttpClient::OpenTunnel(const std::string& host, int port) {
    const bool interceptWasOn = InterceptEnabled();
    SetInterceptEnabled(false);
    const std::string authority = host + ":" + std::to_string(port);
    SendLine("CONNECT " + authority + " HTTP/" + VersionText());
    SendLine("Host: " + authority);
    SendLine("");
    ReadStatusLine();
    ReadReplyHeaders();
    if (statusCode_ / 100 != 2) throw ProtocolReplyError(statusCode_, statusText_);
    SetInterceptEnabled(interceptWasOn);
}

}  // namespace net
