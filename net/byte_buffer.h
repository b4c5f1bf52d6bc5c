// Growable byte buffer: bytes are appended at the end and consumed from the front.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "net/byte_sink.h"

namespace net {

class ByteBuffer : public ByteSink {
  public:
    std::size_t Size() const { return data_.size() - start_; }
    bool Empty() const { return Size() == 0; }

    // The bytes held, front first. Valid until the next change of the buffer.
    std::string_view View() const { return {data_.data() + start_, data_.size() - start_}; }

    void Append(std::string_view bytes) { Write(bytes.data(), bytes.size()); }
    void Write(const char* data, std::size_t count) override;
    void Restart() override { Clear(); }

    // Removes `count` bytes from the front and returns them; at most Size() bytes.
    std::string Take(std::size_t count);

    // Removes `count` bytes from the front (at most Size()) without returning them.
    void Drop(std::size_t count);

    // Position of `pattern` at or after `from`, counted from the front, or npos.
    std::size_t Find(std::string_view pattern, std::size_t from = 0) const;

    void Clear();

  private:
    std::vector<char> data_;
    std::size_t start_ = 0;  // bytes before it are already consumed
};

}  // namespace net
