// The engine's byte stream: an in-memory, seekable buffer that template files, prepared pages
// and object copies are read from and written to. Files are read or written whole.
//
// Reads are bounded by the stream: a read past the end delivers only the bytes that remain,
// and the typed readers fill a field only as far as bytes remain (the rest of the field keeps
// its previous value), as truncated templates require.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace report {

using StringList = std::vector<std::string>;

class EngineStream {
  public:
    EngineStream() = default;
    explicit EngineStream(std::string bytes) : bytes_(std::move(bytes)) {}

    size_t Size() const { return bytes_.size(); }
    size_t Position() const { return position_; }
    // Positions beyond the end are allowed; reads there deliver nothing, writes pad with zeros.
    void Seek(size_t position) { position_ = position; }
    size_t Remaining() const { return position_ < bytes_.size() ? bytes_.size() - position_ : 0; }
    bool AtEnd() const { return position_ >= bytes_.size(); }

    // Copies up to `count` bytes; returns how many were available.
    size_t Read(void* destination, size_t count);
    // Skips up to `count` bytes (never beyond the end); returns how many were skipped.
    size_t Skip(size_t count);
    void Write(const void* source, size_t count);
    void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }

    const std::string& Bytes() const { return bytes_; }
    std::string TakeBytes();
    void Clear();

    // Loads a whole regular file (ReadWholeFile); FileOpenError when it cannot be read.
    static EngineStream FromFile(const std::string& path);
    // Replaces the file with the whole buffer as ReplaceFileContent does (file_replace.h): a
    // failed or killed write leaves the previous file whole. FileCreateError when it cannot be
    // written.
    void SaveToFile(const std::string& path) const;

  private:
    std::string bytes_;
    size_t position_ = 0;
};

// Little-endian integers. The readers fill the field's low bytes first and stop at the end of
// the stream; they return true when the whole field was read.
bool ReadU8(EngineStream& s, uint8_t& value);
bool ReadU16(EngineStream& s, uint16_t& value);
bool ReadI16(EngineStream& s, int16_t& value);
bool ReadU32(EngineStream& s, uint32_t& value);
bool ReadI32(EngineStream& s, int32_t& value);
bool ReadF64(EngineStream& s, double& value);

void WriteU8(EngineStream& s, uint8_t value);
void WriteU16(EngineStream& s, uint16_t value);
void WriteI16(EngineStream& s, int16_t value);
void WriteU32(EngineStream& s, uint32_t value);
void WriteI32(EngineStream& s, int32_t value);
void WriteF64(EngineStream& s, double value);

// The string and memo encodings selected by the stream version: version 23 and later the
// current ones (length-prefixed), 21 and 22 the old ones (zero-terminated).
inline constexpr int kCurrentStreamVersion = 24;
inline constexpr int kFirstCurrentEncodingVersion = 23;

// Current string: u16 length, the bytes, one byte skipped. Old: bytes up to a 0x00.
std::string ReadString(EngineStream& s, int version);
// Current memo: u16 count (only 0 is trusted: one byte follows), then lines of u16 length,
// bytes and one separator byte, until a separator 0x00. Old: bytes up to a 0x00, lines
// separated by 0x0D.
StringList ReadMemo(EngineStream& s, int version);
// Old dictionary short string: u8 length, the bytes.
std::string ReadShortString(EngineStream& s);

// Writers always use the current encodings. Strings longer than 65535 bytes are cut there.
void WriteString(EngineStream& s, std::string_view text);
void WriteMemo(EngineStream& s, const StringList& lines);

}  // namespace report
