// Destination of the bytes of a reply body.
#pragma once

#include <cstddef>

namespace net {

class ByteSink {
  public:
    virtual ~ByteSink() = default;

    // Appends bytes at the end of what was written so far.
    virtual void Write(const char* data, std::size_t count) = 0;

    // Forgets everything written, so that writing starts again at the beginning (a followed
    // redirect replaces the body of the first reply).
    virtual void Restart() = 0;
};

// A sink that keeps nothing: for callers that only want the status of a reply.
class DiscardingSink : public ByteSink {
  public:
    void Write(const char*, std::size_t count) override { written_ += count; }
    void Restart() override { written_ = 0; }
    std::size_t BytesWritten() const { return written_; }

  private:
    std::size_t written_ = 0;
};

}  // namespace net
