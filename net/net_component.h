// Common base of the network components: the shared socket stack and the events that report
// progress to an owner.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "net/socket_layer.h"

namespace net {

enum class Status {
    hsResolving,
    hsConnecting,
    hsConnected,
    hsDisconnecting,
    hsDisconnected,
    hsText
};
enum class WorkMode { wmRead, wmWrite };

// The process-wide socket stack: made for the first component that asks and released with
// the last one that holds it.
std::shared_ptr<SocketLayer> SharedSocketStack();

class NetComponent {
  public:
    virtual ~NetComponent() = default;
    NetComponent(const NetComponent&) = delete;
    NetComponent& operator=(const NetComponent&) = delete;

    // Events; each is called when assigned. onStatus: the step reached, with a text (the
    // peer's address, or the free text of hsText). onWork: bytes read or written.
    std::function<void(Status status, const std::string& text)> onStatus;
    std::function<void(WorkMode mode, std::int64_t bytes)> onWork;

  protected:
    // A component on the given stack (tests and fuzzing give their own); never null.
    explicit NetComponent(std::shared_ptr<SocketLayer> stack);

    SocketLayer& Stack() const { return *stack_; }
    void DoStatus(Status status, const std::string& text = {}) const;
    void DoWork(WorkMode mode, std::int64_t bytes) const;

  private:
    std::shared_ptr<SocketLayer> stack_;
};

}  // namespace net
