// A blocking TCP connection over one socket, with an input buffer: line reading, counted
// reading, reading until the peer closes, writing, and detection of a peer that has closed.
//
// Bytes received and not consumed stay in the input buffer for the next read (a reply that
// follows another on a kept connection). Reads wait without limit unless a read time limit or
// a deadline is set; an expired wait raises ReadTimedOut where the operation has no other way
// to say so.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "net/byte_buffer.h"
#include "net/byte_sink.h"
#include "net/connection_intercept.h"
#include "net/net_component.h"
#include "net/socket_handle.h"
#include "net/time_limit.h"

namespace net {

class TcpConnection : public NetComponent {
  public:
    using Clock = std::chrono::steady_clock;

    static constexpr std::size_t kDefaultBufferSize = 32768;
    static constexpr std::size_t kUnlimitedLine = std::numeric_limits<std::size_t>::max();

    explicit TcpConnection(std::shared_ptr<SocketLayer> stack = SharedSocketStack());
    ~TcpConnection() override;

    SocketHandle& Binding() { return binding_; }
    const SocketHandle& Binding() const { return binding_; }
    ByteBuffer& InputBuffer() { return input_; }

    // Bytes asked of one receive call (the scratch buffer), and bytes per send.
    std::size_t RecvBufferSize() const { return scratch_.size(); }
    void SetRecvBufferSize(std::size_t bytes);
    std::size_t SendBufferSize() const { return sendBufferSize_; }
    void SetSendBufferSize(std::size_t bytes) { sendBufferSize_ = bytes == 0 ? 1 : bytes; }

    // True when the last ReceiveLine ended without a line (time limit, or peer closed while a
    // partial line was buffered).
    bool LineTimedOut() const { return lineTimedOut_; }

    // Limit of each wait of ReceiveBytes and ReceiveToStream. None by default.
    TimeLimit ReadTimeout() const { return readTimeout_; }
    void SetReadTimeout(TimeLimit limit) { readTimeout_ = limit; }

    // A point in time after which every wait of this connection counts as expired (a bound
    // on a whole request, whatever the peer trickles in). None by default.
    void SetDeadline(std::optional<Clock::time_point> deadline) { deadline_ = deadline; }
    std::optional<Clock::time_point> Deadline() const { return deadline_; }

    // Not owned; it must outlive the connection or be removed first.
    ConnectionIntercept* Intercept() const { return intercept_; }
    void SetIntercept(ConnectionIntercept* intercept) { intercept_ = intercept; }
    bool InterceptEnabled() const { return interceptEnabled_ && intercept_ != nullptr; }
    void SetInterceptEnabled(bool enabled) { interceptEnabled_ = enabled; }

    // Runs CheckPeerClosed(false, false), then answers whether a socket is allocated.
    bool IsConnected();

    // When the peer closed or no socket is left: closes what remains, then raises
    // ConnClosedGracefully if raiseIfClosed and (ignoreBuffer or the input buffer is empty).
    void CheckPeerClosed(bool raiseIfClosed, bool ignoreBuffer);

    // One receive call of at most the target's size (the scratch buffer when the target is
    // empty), after waiting up to `timeout` for data. Returns the bytes received, 0 when the
    // wait expired, the peer closed or no socket is allocated. With appendToInput the bytes
    // join the input buffer (through the intercept when one is on); otherwise they stay in
    // the target.
    std::size_t ReceiveChunk(bool raiseIfClosed, TimeLimit timeout, std::span<char> target = {},
                             bool appendToInput = true);

    // One line without its terminator (empty: LF). With LF a CR before it is dropped too, so
    // lines may end with CR LF or LF alone. When the wait expires, or the peer closes after a
    // partial line, returns the empty line with LineTimedOut() set and the partial bytes left
    // buffered; a peer closed with nothing buffered raises ConnClosedGracefully. A line longer
    // than maxLength bytes raises LineTooLong.
    std::string ReceiveLine(std::string_view terminator = {}, TimeLimit timeout = kNoTimeLimit,
                            std::size_t maxLength = kUnlimitedLine);

    // Exactly `count` bytes, waiting for them.
    std::string ReceiveBytes(std::size_t count);

    // Moves a body into the stream: `count` bytes (a peer that closes before raises
    // ConnClosedGracefully), or with untilClose everything until the peer closes. A count of
    // -1 without untilClose is first read as a 4-byte integer in network order. Memory is
    // taken as bytes arrive, never in advance of them.
    void ReceiveToStream(ByteSink& stream, std::int64_t count, bool untilClose);

    // Removes `count` bytes from the front of the input buffer; fewer present raises
    // NotEnoughDataInBuffer.
    std::string TakeInput(std::size_t count);

    // Sends every byte, in calls of at most SendBufferSize(). Writing to a closed peer raises.
    void SendBytes(std::string_view bytes);
    void SendText(std::string_view text) { SendBytes(text); }
    void SendLine(std::string_view text);

    // Takes in what has already arrived and notices a close by the peer, without raising.
    void PollPeerClosed();

    // Shuts down and closes the socket when one is allocated.
    void CloseConnection();

    std::function<void()> onDisconnected;

  protected:
    // Forgets the previous connection's socket, buffered bytes and close.
    void ResetConnection();

    // The limit of the next wait: the smaller of `limit` and what is left before the
    // deadline (0 once it passed).
    TimeLimit EffectiveLimit(TimeLimit limit) const;

  private:
    SocketHandle binding_;
    ByteBuffer input_;
    std::vector<char> scratch_;
    std::size_t sendBufferSize_ = kDefaultBufferSize;
    bool peerClosed_ = false;
    bool lineTimedOut_ = false;
    TimeLimit readTimeout_;
    std::optional<Clock::time_point> deadline_;
    ConnectionIntercept* intercept_ = nullptr;
    bool interceptEnabled_ = false;
};

}  // namespace net
