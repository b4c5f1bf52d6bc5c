#include "net/tcp_connection.h"

#include <algorithm>

#include "net/errors.h"
#include "net/socket_error_codes.h"

namespace net {

TcpConnection::TcpConnection(std::shared_ptr<SocketLayer> stack)
    : NetComponent(std::move(stack)), binding_(Stack()), scratch_(kDefaultBufferSize) {}

TcpConnection::~TcpConnection() {
    try {
        CloseConnection();
    } catch (...) {
        // An event handler that throws while the connection goes away has nowhere to report.
    }
}

void TcpConnection::SetRecvBufferSize(std::size_t bytes) {
    scratch_.assign(bytes == 0 ? 1 : bytes, '\0');
}

bool TcpConnection::IsConnected() {
    CheckPeerClosed(false, false);
    return binding_.HandleAllocated();
}

void TcpConnection::CheckPeerClosed(bool raiseIfClosed, bool ignoreBuffer) {
    if (!peerClosed_ && binding_.HandleAllocated()) return;
    if (binding_.HandleAllocated()) CloseConnection();
    if (raiseIfClosed && (ignoreBuffer || input_.Empty())) throw ConnClosedGracefully();
}

std::size_t TcpConnection::ReceiveChunk(bool raiseIfClosed, TimeLimit timeout,
                                        std::span<char> target, bool appendToInput) {
    CheckPeerClosed(raiseIfClosed, false);
    if (!binding_.HandleAllocated()) return 0;
    // A passed deadline ends the exchange even while the peer keeps sending without a pause.
    if (deadline_ && Clock::now() >= *deadline_) return 0;
    std::span<char> buffer = target.empty() ? std::span<char>(scratch_) : target;
    if (!binding_.WaitReadable(EffectiveLimit(timeout))) return 0;
    long result = binding_.Recv(buffer.data(), buffer.size());
    peerClosed_ = result == 0;
    if (result != 0 && Stack().CheckSocketResult(result, {kWsaShutdown})) {
        result = 0;
        CloseConnection();
        if (input_.Empty()) SocketLayer::RaiseStackError(kWsaShutdown);
    }
    const auto received = static_cast<std::size_t>(result);
    if (received > 0) {
        if (!appendToInput) {
            DoWork(WorkMode::wmRead, static_cast<std::int64_t>(received));
        } else if (InterceptEnabled()) {
            std::string bytes(buffer.data(), received);
            intercept_->Received(bytes);
            input_.Append(bytes);
        } else {
            input_.Write(buffer.data(), received);
        }
    }
    CheckPeerClosed(raiseIfClosed, false);
    return received;
}

std::string TcpConnection::ReceiveLine(std::string_view terminator, TimeLimit timeout,
                                       std::size_t maxLength) {
    if (terminator.empty()) terminator = "\n";
    const bool lineFeed = terminator == "\n";
    lineTimedOut_ = false;
    // Longest run of bytes that can still hold a line of maxLength: the line, a CR, the
    // terminator.
    const std::size_t longestPending = maxLength > kUnlimitedLine - 1 - terminator.size()
                                           ? kUnlimitedLine
                                           : maxLength + 1 + terminator.size();
    std::size_t searchFrom = 0;  // what was searched already cannot hold the terminator
    std::size_t found = std::string_view::npos;
    for (;;) {
        if (!input_.Empty()) {
            found = input_.Find(terminator, searchFrom);
            if (found != std::string_view::npos) break;
            if (input_.Size() > longestPending) throw LineTooLong(maxLength);
            searchFrom =
                input_.Size() >= terminator.size() ? input_.Size() - terminator.size() + 1 : 0;
        }
        CheckPeerClosed(true, true);
        if (ReceiveChunk(true, timeout) == 0) {
            lineTimedOut_ = true;
            return {};
        }
    }
    std::size_t length = found;
    if (lineFeed && length > 0 && input_.View()[length - 1] == '\r') --length;
    if (length > maxLength) throw LineTooLong(maxLength);
    std::string line = input_.Take(length);
    input_.Drop(found - length + terminator.size());
    return line;
}

std::string TcpConnection::ReceiveBytes(std::size_t count) {
    while (input_.Size() < count) {
        CheckPeerClosed(true, true);
        if (ReceiveChunk(true, readTimeout_) == 0 && binding_.HandleAllocated()) {
            throw ReadTimedOut();
        }
    }
    return TakeInput(count);
}

void TcpConnection::ReceiveToStream(ByteSink& stream, std::int64_t count, bool untilClose) {
    if (count == -1 && !untilClose) {
        const std::string bytes = ReceiveBytes(4);
        count = 0;
        for (unsigned char byte : bytes)
            count = (count << 8) | byte;
    }
    std::uint64_t remaining = untilClose
                                  ? std::numeric_limits<std::uint64_t>::max()
                                  : static_cast<std::uint64_t>(std::max<std::int64_t>(count, 0));
    auto moveBuffered = [&] {
        const auto moved =
            static_cast<std::size_t>(std::min<std::uint64_t>(input_.Size(), remaining));
        if (moved == 0) return;
        stream.Write(input_.View().data(), moved);
        input_.Drop(moved);
        if (!untilClose) remaining -= moved;
        DoWork(WorkMode::wmRead, static_cast<std::int64_t>(moved));
    };
    moveBuffered();
    while (remaining > 0 && IsConnected()) {
        if (ReceiveChunk(!untilClose, readTimeout_) == 0 && binding_.HandleAllocated()) {
            throw ReadTimedOut();
        }
        moveBuffered();
    }
    // A close already noticed before the body was complete is as much a cut as one noticed now.
    if (!untilClose && remaining > 0) throw ConnClosedGracefully();
}

std::string TcpConnection::TakeInput(std::size_t count) {
    if (input_.Size() < count) throw NotEnoughDataInBuffer();
    return input_.Take(count);
}

void TcpConnection::SendBytes(std::string_view bytes) {
    if (bytes.empty()) return;
    CheckPeerClosed(true, true);
    std::string filtered;
    if (InterceptEnabled()) {
        filtered.assign(bytes);
        intercept_->Sending(filtered);
        bytes = filtered;
    }
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const std::size_t chunk = std::min(sendBufferSize_, bytes.size() - sent);
        long result = binding_.Send(bytes.data() + sent, chunk);
        peerClosed_ = result == 0;
        CheckPeerClosed(true, false);
        if (Stack().CheckSocketResult(result, {kWsaShutdown})) {
            CloseConnection();
            SocketLayer::RaiseStackError(kWsaShutdown);
        }
        DoWork(WorkMode::wmWrite, result);
        sent += static_cast<std::size_t>(result);
    }
}

void TcpConnection::SendLine(std::string_view text) {
    std::string line(text);
    line += "\r\n";
    SendBytes(line);
}

void TcpConnection::PollPeerClosed() {
    try {
        ReceiveChunk(false, std::chrono::milliseconds(1));
    } catch (const SocketError&) {
        // A reset after a complete exchange ends the connection, not the exchange.
        CloseConnection();
    }
}

void TcpConnection::CloseConnection() {
    if (!binding_.HandleAllocated()) return;
    DoStatus(Status::hsDisconnecting, binding_.PeerIp());
    binding_.CloseSocket();
    peerClosed_ = true;
    DoStatus(Status::hsDisconnected);
    if (onDisconnected) onDisconnected();
}

void TcpConnection::ResetConnection() {
    binding_.Reset();
    input_.Clear();
    peerClosed_ = false;
    lineTimedOut_ = false;
}

TimeLimit TcpConnection::EffectiveLimit(TimeLimit limit) const {
    if (!deadline_) return limit;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*deadline_ - Clock::now());
    if (left.count() < 0) left = std::chrono::milliseconds(0);
    if (!limit || left < *limit) return left;
    return limit;
}

}  // namespace net
