#include "report/core/base/engine_stream.h"

#include <algorithm>
#include <cstring>

#include "report/core/base/errors.h"
#include "report/core/base/file_replace.h"
#include "report/core/base/whole_file.h"

namespace report {
namespace {

constexpr size_t kMaxShortLength = 0xFFFF;

// Fills the low bytes of an unsigned value from the stream, keeping the bytes that are missing.
template <typename Unsigned>
bool ReadLittleEndian(EngineStream& s, Unsigned& value) {
    unsigned char bytes[sizeof(Unsigned)];
    const size_t got = s.Read(bytes, sizeof(Unsigned));
    for (size_t i = 0; i < got; ++i) {
        value = static_cast<Unsigned>(value & ~(static_cast<Unsigned>(0xFF) << (8 * i)));
        value = static_cast<Unsigned>(value | (static_cast<Unsigned>(bytes[i]) << (8 * i)));
    }
    return got == sizeof(Unsigned);
}

template <typename Unsigned>
void WriteLittleEndian(EngineStream& s, Unsigned value) {
    unsigned char bytes[sizeof(Unsigned)];
    for (size_t i = 0; i < sizeof(Unsigned); ++i)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    s.Write(bytes, sizeof(Unsigned));
}

template <typename Signed, typename Unsigned>
bool ReadSigned(EngineStream& s, Signed& value) {
    Unsigned raw;
    std::memcpy(&raw, &value, sizeof raw);
    const bool whole = ReadLittleEndian(s, raw);
    std::memcpy(&value, &raw, sizeof raw);
    return whole;
}

// Bytes up to (not including) the next 0x00, which is consumed; the rest of the stream when
// there is none.
std::string ReadZeroTerminated(EngineStream& s) {
    std::string text;
    const std::string& bytes = s.Bytes();
    const size_t start = s.Position();
    if (start >= bytes.size()) return text;
    const size_t zero = bytes.find('\0', start);
    const size_t end = zero == std::string::npos ? bytes.size() : zero;
    text.assign(bytes, start, end - start);
    s.Seek(zero == std::string::npos ? end : end + 1);
    return text;
}

std::string ReadCounted(EngineStream& s, size_t length) {
    const size_t available = std::min(length, s.Remaining());
    std::string text(s.Bytes(), s.Position(), available);
    s.Skip(available);
    return text;
}

}  // namespace

size_t EngineStream::Read(void* destination, size_t count) {
    const size_t available = std::min(count, Remaining());
    if (available > 0) std::memcpy(destination, bytes_.data() + position_, available);
    position_ += available;
    return available;
}

size_t EngineStream::Skip(size_t count) {
    const size_t available = std::min(count, Remaining());
    position_ += available;
    return available;
}

void EngineStream::Write(const void* source, size_t count) {
    if (position_ == bytes_.size()) {  // the common case: appending
        bytes_.append(static_cast<const char*>(source), count);
        position_ += count;
        return;
    }
    if (position_ > bytes_.size()) bytes_.resize(position_, '\0');
    const size_t overlap = std::min(count, bytes_.size() - position_);
    std::memcpy(bytes_.data() + position_, source, overlap);
    bytes_.append(static_cast<const char*>(source) + overlap, count - overlap);
    position_ += count;
}

std::string EngineStream::TakeBytes() {
    std::string taken = std::move(bytes_);
    Clear();
    return taken;
}

void EngineStream::Clear() {
    bytes_.clear();
    position_ = 0;
}

EngineStream EngineStream::FromFile(const std::string& path) {
    return EngineStream(ReadWholeFile(path));
}

void EngineStream::SaveToFile(const std::string& path) const {
    // A failed or interrupted write keeps the file that was there.
    if (!ReplaceFileContent(path, bytes_)) throw FileCreateError(path);
}

bool ReadU8(EngineStream& s, uint8_t& value) {
    return ReadLittleEndian(s, value);
}
bool ReadU16(EngineStream& s, uint16_t& value) {
    return ReadLittleEndian(s, value);
}
bool ReadU32(EngineStream& s, uint32_t& value) {
    return ReadLittleEndian(s, value);
}
bool ReadI16(EngineStream& s, int16_t& value) {
    return ReadSigned<int16_t, uint16_t>(s, value);
}
bool ReadI32(EngineStream& s, int32_t& value) {
    return ReadSigned<int32_t, uint32_t>(s, value);
}
bool ReadF64(EngineStream& s, double& value) {
    return ReadSigned<double, uint64_t>(s, value);
}

void WriteU8(EngineStream& s, uint8_t value) {
    s.Write(&value, 1);
}
void WriteU16(EngineStream& s, uint16_t value) {
    WriteLittleEndian(s, value);
}
void WriteU32(EngineStream& s, uint32_t value) {
    WriteLittleEndian(s, value);
}
void WriteI16(EngineStream& s, int16_t value) {
    WriteLittleEndian(s, static_cast<uint16_t>(value));
}
void WriteI32(EngineStream& s, int32_t value) {
    WriteLittleEndian(s, static_cast<uint32_t>(value));
}
void WriteF64(EngineStream& s, double value) {
    uint64_t raw;
    std::memcpy(&raw, &value, sizeof raw);
    WriteLittleEndian(s, raw);
}

std::string ReadString(EngineStream& s, int version) {
    if (version < kFirstCurrentEncodingVersion) return ReadZeroTerminated(s);
    uint16_t length = 0;
    ReadU16(s, length);
    std::string text = ReadCounted(s, length);
    s.Skip(1);  // the closing zero, not checked
    return text;
}

StringList ReadMemo(EngineStream& s, int version) {
    StringList lines;
    if (version < kFirstCurrentEncodingVersion) {
        const std::string text = ReadZeroTerminated(s);
        size_t start = 0;
        while (true) {
            const size_t cr = text.find('\r', start);
            if (cr == std::string::npos) {
                if (start < text.size()) lines.push_back(text.substr(start));
                break;
            }
            lines.push_back(text.substr(start, cr - start));
            start = cr + 1;
        }
        return lines;
    }
    uint16_t count = 0;
    if (!ReadU16(s, count)) return lines;
    if (count == 0) {
        s.Skip(1);
        return lines;
    }
    // The count is not trusted: lines follow until a separator 0x00 (or the end of the stream).
    while (!s.AtEnd()) {
        uint16_t length = 0;
        ReadU16(s, length);
        lines.push_back(ReadCounted(s, length));
        uint8_t separator = 0;
        if (!ReadU8(s, separator) || separator == 0) break;
    }
    return lines;
}

std::string ReadShortString(EngineStream& s) {
    uint8_t length = 0;
    if (!ReadU8(s, length)) return std::string();
    return ReadCounted(s, length);
}

void WriteString(EngineStream& s, std::string_view text) {
    const size_t length = std::min(text.size(), kMaxShortLength);
    WriteU16(s, static_cast<uint16_t>(length));
    s.Write(text.data(), length);
    WriteU8(s, 0);
}

void WriteMemo(EngineStream& s, const StringList& lines) {
    // Readers go by the separators; the count only has to be non-zero when there are lines.
    WriteU16(s, static_cast<uint16_t>(std::min(lines.size(), kMaxShortLength)));
    if (lines.empty()) {
        WriteU8(s, 0);
        return;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        const size_t length = std::min(lines[i].size(), kMaxShortLength);
        WriteU16(s, static_cast<uint16_t>(length));
        s.Write(lines[i].data(), length);
        WriteU8(s, i + 1 < lines.size() ? 0x0D : 0x00);
    }
}

}  // namespace report
