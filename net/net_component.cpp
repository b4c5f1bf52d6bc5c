#include "net/net_component.h"

#include <mutex>

#include "net/platform_socket_layer.h"

namespace net {

std::shared_ptr<SocketLayer> SharedSocketStack() {
    static std::mutex mutex;
    static std::weak_ptr<SocketLayer> shared;
    std::lock_guard<std::mutex> lock(mutex);
    std::shared_ptr<SocketLayer> stack = shared.lock();
    if (!stack) {
        stack = std::make_shared<PlatformSocketLayer>();
        shared = stack;
    }
    return stack;
}

NetComponent::NetComponent(std::shared_ptr<SocketLayer> stack) : stack_(std::move(stack)) {}

void NetComponent::DoStatus(Status status, const std::string& text) const {
    if (onStatus) onStatus(status, text);
}

void NetComponent::DoWork(WorkMode mode, std::int64_t bytes) const {
    if (onWork) onWork(mode, bytes);
}

}  // namespace net
