#include "package/package_walk.h"

#include <algorithm>
#include <cstring>

#include "package/pe_headers.h"

namespace package {

uint32_t ReadLittleEndian32(const uint8_t* bytes) {
  return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
         uint32_t(bytes[3]) << 24;
}

const char* DescribeWalkError(WalkError error) {
  switch (error) {
    case WalkError::None: return "no error";
    case WalkError::TruncatedEntryHeader: return "entry count larger than the entries present";
    case WalkError::BadNameLength: return "entry name length is 0 or 256 bytes or more";
    case WalkError::NameHasNul: return "entry name contains a NUL byte";
    case WalkError::TruncatedName: return "entry name runs past the end of the package";
    case WalkError::StoredBytesPastEnd: return "entry data runs past the end of the package";
    case WalkError::ReadFailed: return "package file could not be read";
    case WalkError::NoTrailer: return "file too short for a package trailer";
    case WalkError::ZeroCount: return "package trailer holds an entry count of 0";
    case WalkError::BadPackageOffset: return "package offset lies outside the file";
    case WalkError::HeaderTooLong: return "package header longer than 50 bytes";
    case WalkError::EntriesEndBeforeTrailer: return "bytes lie between the last entry and the trailer";
  }
  return "unknown error";
}

namespace {

WalkError CheckNameLength(uint32_t length) {
  return (length == 0 || length >= kNameBufferSize) ? WalkError::BadNameLength : WalkError::None;
}

WalkError CopyName(std::span<const uint8_t> bytes, EntryName& name) {
  name = EntryName{};
  if (std::memchr(bytes.data(), 0, bytes.size()) != nullptr) return WalkError::NameHasNul;
  std::memcpy(name.text, bytes.data(), bytes.size());
  name.length = static_cast<uint32_t>(bytes.size());
  return WalkError::None;
}

}  // namespace

ResourcePackageReader::ResourcePackageReader(std::span<const uint8_t> package)
    : m_package(package) {
  if (m_package.size() >= 4) {
    m_count = ReadLittleEndian32(m_package.data());
    m_offset = 4;
  } else if (!m_package.empty()) {
    m_error = WalkError::TruncatedEntryHeader;
  }
}

bool ResourcePackageReader::Fail(WalkError error) {
  m_error = error;
  return false;
}

bool ResourcePackageReader::Next(MemoryEntry& entry) {
  if (m_error != WalkError::None || m_read >= m_count) return false;
  const size_t left = m_package.size() - m_offset;
  if (left < kEntryHeaderSize) return Fail(WalkError::TruncatedEntryHeader);
  const uint8_t* header = m_package.data() + m_offset;
  const uint32_t nameLength = ReadLittleEndian32(header);
  const uint32_t storedSize = ReadLittleEndian32(header + 4);
  if (WalkError e = CheckNameLength(nameLength); e != WalkError::None) return Fail(e);
  if (left - kEntryHeaderSize < nameLength) return Fail(WalkError::TruncatedName);
  if (left - kEntryHeaderSize - nameLength < storedSize) return Fail(WalkError::StoredBytesPastEnd);
  if (WalkError e = CopyName({header + kEntryHeaderSize, nameLength}, entry.name);
      e != WalkError::None) {
    return Fail(e);
  }
  entry.storedSize = storedSize;
  entry.storedBytes = header + kEntryHeaderSize + nameLength;
  m_offset += size_t(kEntryHeaderSize) + nameLength + storedSize;
  ++m_read;
  return true;
}

bool MemoryByteSource::SeekTo(uint64_t position) {
  if (position > m_bytes.size()) return false;
  m_position = position;
  return true;
}

bool MemoryByteSource::ReadExact(void* buffer, uint32_t size) {
  if (size > m_bytes.size() - m_position) return false;
  if (size == 0) return true;  // the bytes of an empty span may be null
  std::memcpy(buffer, m_bytes.data() + m_position, size);
  m_position += size;
  return true;
}

bool AppendedPackageReader::Fail(WalkError error) {
  m_error = error;
  return false;
}

bool AppendedPackageReader::Open() {
  uint8_t headers[kPeHeaderWindow];
  const auto window = static_cast<uint32_t>(std::min<uint64_t>(m_file.Size(), kPeHeaderWindow));
  if (!m_file.SeekTo(0) || !m_file.ReadExact(headers, window)) return Fail(WalkError::ReadFailed);
  if (const auto table = TrailingCertificateTable({headers, window}, m_file.Size())) {
    return OpenBeforeSignature(*table);
  }
  return OpenEndingAt(m_file.Size());
}

// Signing pads the file with zero bytes up to the table's 8-byte boundary, and a package may end
// in zero bytes of its own: the end at which the entries reach the trailer is the package's.
bool AppendedPackageReader::OpenBeforeSignature(uint64_t table) {
  WalkError firstError = WalkError::None;
  for (uint64_t padding = 0; padding < kCertificateAlignment && padding <= table; ++padding) {
    if (padding > 0 && !IsZeroByteAt(table - padding)) break;
    if (OpenEndingAt(table - padding) && EntriesReachTrailer()) return true;
    if (firstError == WalkError::None) firstError = m_error;
  }
  return Fail(firstError);
}

bool AppendedPackageReader::IsZeroByteAt(uint64_t position) {
  uint8_t byte = 1;
  return m_file.SeekTo(position) && m_file.ReadExact(&byte, 1) && byte == 0;
}

bool AppendedPackageReader::OpenEndingAt(uint64_t end) {
  m_error = WalkError::None;
  m_read = 0;
  if (end < kTrailerSize) return Fail(WalkError::NoTrailer);
  uint8_t trailer[kTrailerSize];
  if (!m_file.SeekTo(end - kTrailerSize) || !m_file.ReadExact(trailer, kTrailerSize)) {
    return Fail(WalkError::ReadFailed);
  }
  m_count = ReadLittleEndian32(trailer);
  m_packageOffset = ReadLittleEndian32(trailer + 4);
  m_entriesEnd = end - kTrailerSize;
  if (m_count == 0) return Fail(WalkError::ZeroCount);
  if (m_packageOffset > m_entriesEnd || m_entriesEnd - m_packageOffset < 4) {
    return Fail(WalkError::BadPackageOffset);
  }
  uint8_t lengthBytes[4];
  if (!m_file.SeekTo(m_packageOffset) || !m_file.ReadExact(lengthBytes, 4)) {
    return Fail(WalkError::ReadFailed);
  }
  m_headerLength = ReadLittleEndian32(lengthBytes);
  if (m_headerLength > kMaxHeaderLength ||
      m_headerLength > m_entriesEnd - m_packageOffset - 4) {
    return Fail(WalkError::HeaderTooLong);
  }
  m_next = uint64_t(m_packageOffset) + 4 + m_headerLength;
  return true;
}

WalkError AppendedPackageReader::ReadEntryHeader(uint64_t position, uint32_t& nameLength,
                                                 uint32_t& storedSize) {
  const uint64_t left = m_entriesEnd - position;
  if (left < kEntryHeaderSize) return WalkError::TruncatedEntryHeader;
  uint8_t header[kEntryHeaderSize];
  if (!m_file.SeekTo(position) || !m_file.ReadExact(header, kEntryHeaderSize)) {
    return WalkError::ReadFailed;
  }
  nameLength = ReadLittleEndian32(header);
  storedSize = ReadLittleEndian32(header + 4);
  if (WalkError e = CheckNameLength(nameLength); e != WalkError::None) return e;
  if (left - kEntryHeaderSize < nameLength) return WalkError::TruncatedName;
  if (left - kEntryHeaderSize - nameLength < storedSize) return WalkError::StoredBytesPastEnd;
  return WalkError::None;
}

bool AppendedPackageReader::EntriesReachTrailer() {
  uint64_t position = m_next;
  for (uint32_t entry = 0; entry < m_count; ++entry) {
    uint32_t nameLength = 0;
    uint32_t storedSize = 0;
    if (WalkError e = ReadEntryHeader(position, nameLength, storedSize); e != WalkError::None) {
      return Fail(e);
    }
    position += uint64_t(kEntryHeaderSize) + nameLength + storedSize;
  }
  return position == m_entriesEnd || Fail(WalkError::EntriesEndBeforeTrailer);
}

bool AppendedPackageReader::Next(FileEntry& entry) {
  if (m_error != WalkError::None || m_read >= m_count) return false;
  uint32_t nameLength = 0;
  uint32_t storedSize = 0;
  if (WalkError e = ReadEntryHeader(m_next, nameLength, storedSize); e != WalkError::None) {
    return Fail(e);
  }
  uint8_t nameBytes[kNameBufferSize];
  if (!m_file.ReadExact(nameBytes, nameLength)) return Fail(WalkError::ReadFailed);
  if (WalkError e = CopyName({nameBytes, nameLength}, entry.name); e != WalkError::None) {
    return Fail(e);
  }
  entry.storedSize = storedSize;
  entry.storedOffset = m_next + kEntryHeaderSize + nameLength;
  m_next = entry.storedOffset + storedSize;
  ++m_read;
  return true;
}

}  // namespace package
