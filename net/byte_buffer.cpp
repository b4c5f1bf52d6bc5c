#include "net/byte_buffer.h"

#include <algorithm>

namespace net {

void ByteBuffer::Write(const char* data, std::size_t count) {
    if (count == 0) return;
    // Reclaim the consumed front before growing, so that a buffer read as fast as it is filled
    // stays small.
    if (start_ > 0 && (start_ >= data_.size() / 2 || data_.size() + count > data_.capacity())) {
        data_.erase(data_.begin(), data_.begin() + static_cast<std::ptrdiff_t>(start_));
        start_ = 0;
    }
    data_.insert(data_.end(), data, data + count);
}

std::string ByteBuffer::Take(std::size_t count) {
    count = std::min(count, Size());
    std::string taken(data_.data() + start_, count);
    Drop(count);
    return taken;
}

void ByteBuffer::Drop(std::size_t count) {
    start_ += std::min(count, Size());
    if (start_ == data_.size()) Clear();
}

std::size_t ByteBuffer::Find(std::string_view pattern, std::size_t from) const {
    return View().find(pattern, from);
}

void ByteBuffer::Clear() {
    data_.clear();
    start_ = 0;
}

}  // namespace net
