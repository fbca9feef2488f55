// Walking the two container forms of an installer package. Portable: no Win32 here,
// so the installer and the vendor's mkpackage tool read packages with the same code.
//
// Resource form:  u32 count, then entries.
// Appended form:  ... u32 H, H header bytes, entries, u32 count, u32 package offset (file end).
//                 A signed file ends with its Authenticode certificate table instead; the
//                 package then ends where that table and the zero padding before it begin.
// Entry:          u32 name length N, u32 stored size S, N name bytes, S bytes of one zlib stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace package {

constexpr size_t kNameBufferSize = 256;  // names are 1 to 255 bytes, kept NUL-terminated
constexpr uint32_t kMaxHeaderLength = 50;
constexpr uint32_t kEntryHeaderSize = 8;
constexpr uint32_t kTrailerSize = 8;

enum class WalkError {
  None,
  TruncatedEntryHeader,  // fewer than 8 bytes left for N and S: the count exceeds the entries present
  BadNameLength,         // N is 0 or 256 and more
  NameHasNul,
  TruncatedName,
  StoredBytesPastEnd,    // S runs past the end of the package
  ReadFailed,            // the byte source refused a read or seek
  NoTrailer,             // file shorter than the trailer
  ZeroCount,
  BadPackageOffset,      // package offset outside the file or inside the trailer
  HeaderTooLong,         // H over 50 or running into the trailer
  EntriesEndBeforeTrailer,  // signed file: bytes between the last entry and the trailer
};

const char* DescribeWalkError(WalkError error);

struct EntryName {
  char text[kNameBufferSize] = {};
  uint32_t length = 0;
};

struct MemoryEntry {
  EntryName name;
  uint32_t storedSize = 0;
  const uint8_t* storedBytes = nullptr;  // points into the package
};

// Walks the resource form over a byte span; never reads outside it.
class ResourcePackageReader {
 public:
  explicit ResourcePackageReader(std::span<const uint8_t> package);

  // Stored entry count (0 when the package is too short to hold one).
  uint32_t EntryCount() const { return m_count; }
  // Fills the next entry; false after the last one or at the first inconsistency.
  bool Next(MemoryEntry& entry);
  WalkError Error() const { return m_error; }
  // Offset just past the last entry read.
  size_t Offset() const { return m_offset; }

 private:
  bool Fail(WalkError error);

  std::span<const uint8_t> m_package;
  uint32_t m_count = 0;
  uint32_t m_read = 0;
  size_t m_offset = 0;
  WalkError m_error = WalkError::None;
};

// Random access to the bytes of a file that may carry an appended package.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  virtual bool SeekTo(uint64_t position) = 0;
  // Reads exactly size bytes at the current position; false on a short or failed read.
  virtual bool ReadExact(void* buffer, uint32_t size) = 0;
};

// A ByteSource over bytes in memory (tests, mkpackage).
class MemoryByteSource : public ByteSource {
 public:
  explicit MemoryByteSource(std::span<const uint8_t> bytes) : m_bytes(bytes) {}
  uint64_t Size() const override { return m_bytes.size(); }
  bool SeekTo(uint64_t position) override;
  bool ReadExact(void* buffer, uint32_t size) override;

 private:
  std::span<const uint8_t> m_bytes;
  uint64_t m_position = 0;
};

struct FileEntry {
  EntryName name;
  uint32_t storedSize = 0;
  uint64_t storedOffset = 0;  // absolute file position of the stored bytes
};

// Walks the appended form. The source is left positioned at an entry's stored bytes after
// Next(); the consumer may read any part of them, the following Next() seeks on its own.
class AppendedPackageReader {
 public:
  explicit AppendedPackageReader(ByteSource& file) : m_file(file) {}

  // Reads the trailer and the header; false (with Error()) when they are unusable. In a signed
  // file, also checks that the entries reach the trailer, which tells the package's end from
  // the signing padding.
  bool Open();
  uint32_t EntryCount() const { return m_count; }
  uint32_t PackageOffset() const { return m_packageOffset; }
  // Where the trailer ends: the file's end, or where a signed file's padding begins.
  uint64_t PackageEnd() const { return m_entriesEnd + kTrailerSize; }
  // Progress total of the appended form: package end minus package offset.
  uint64_t PackageSize() const { return PackageEnd() - m_packageOffset; }
  uint32_t HeaderLength() const { return m_headerLength; }
  bool Next(FileEntry& entry);
  WalkError Error() const { return m_error; }

 private:
  bool Fail(WalkError error);
  bool OpenEndingAt(uint64_t end);
  bool OpenBeforeSignature(uint64_t table);
  bool EntriesReachTrailer();
  bool IsZeroByteAt(uint64_t position);
  // Reads and bounds-checks the entry header at position against the trailer.
  WalkError ReadEntryHeader(uint64_t position, uint32_t& nameLength, uint32_t& storedSize);

  ByteSource& m_file;
  uint32_t m_count = 0;
  uint32_t m_packageOffset = 0;
  uint32_t m_headerLength = 0;
  uint64_t m_entriesEnd = 0;  // where the trailer begins
  uint64_t m_next = 0;        // running position of the next entry
  uint32_t m_read = 0;
  WalkError m_error = WalkError::None;
};

uint32_t ReadLittleEndian32(const uint8_t* bytes);

}  // namespace package
