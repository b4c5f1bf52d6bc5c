#include "net/socket_layer.h"

#include <algorithm>

#include "net/errors.h"
#include "net/protocol_text.h"

namespace net {
namespace {

bool IsByteNumber(std::string_view part) {
    if (part.empty() || part.size() > 3) return false;
    int value = 0;
    for (char c : part) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value <= 255;
}

}  // namespace

int SocketLayer::CreateSocket(int type, int protocol) {
    int handle = Socket(type, protocol);
    if (handle == -1) throw InvalidSocket();
    return handle;
}

std::string SocketLayer::LookupHost(const std::string& name, TimeLimit limit) {
    if (SameAscii(name, "LOCALHOST")) return "127.0.0.1";
    if (IsIPv4Text(name)) return name;
    std::string address;
    if (!ResolveHost(name, address, limit)) RaiseStackError(LastErrorCode());
    return address;
}

bool SocketLayer::IsIPv4Text(std::string_view text) {
    // Three parts before the dots, the fourth being all the rest.
    for (int part = 0; part < 3; ++part) {
        std::size_t dot = text.find('.');
        if (dot == std::string_view::npos || !IsByteNumber(text.substr(0, dot))) return false;
        text.remove_prefix(dot + 1);
    }
    return IsByteNumber(text);
}

bool SocketLayer::CheckSocketResult(long result, std::initializer_list<int> tolerated) {
    if (result != -1) return false;
    int code = LastErrorCode();
    if (std::find(tolerated.begin(), tolerated.end(), code) != tolerated.end()) return true;
    RaiseStackError(code);
}

void SocketLayer::RaiseStackError(int code) {
    throw SocketError(code);
}

bool SocketLayer::WaitReadable(const std::vector<int>& sockets, TimeLimit limit) {
    if (sockets.size() > kMaxSelectSet) throw StackSetSizeExceeded();
    int result = Select(sockets, limit);
    CheckSocketResult(result);
    return result > 0;
}

}  // namespace net
