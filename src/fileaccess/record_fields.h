#pragma once
// Fields of the accounting system's fixed-size records: little-endian
// integers, IEEE 754 amounts, dates (day byte, month byte, 16-bit year) and
// short strings (a length byte and its characters within a field of a fixed
// width). Every access is checked against the record: an offset beyond it is a
// programming error (asserted), and still reads as zero and writes nothing.
// Record layouts are written as named offsets next to the code that uses them.

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/short_string.h"
#include "ui/dates.h"

namespace zq::fileaccess {

using RecordView = std::span<const std::uint8_t>;
using RecordBuffer = std::span<std::uint8_t>;

// True when `count` bytes at `offset` lie inside a record of `size` bytes.
constexpr bool FieldFits(std::size_t size, std::size_t offset, std::size_t count) {
  return offset <= size && count <= size - offset;
}

namespace record_fields_detail {

template <typename Unsigned>
Unsigned ReadLittleEndian(RecordView record, std::size_t offset) {
  const bool fits = FieldFits(record.size(), offset, sizeof(Unsigned));
  assert(fits && "field beyond the record");
  if (!fits) return 0;
  Unsigned value = 0;
  for (std::size_t i = sizeof(Unsigned); i-- > 0;) {
    value = static_cast<Unsigned>((value << 8) | record[offset + i]);
  }
  return value;
}

template <typename Unsigned>
void WriteLittleEndian(RecordBuffer record, std::size_t offset, Unsigned value) {
  const bool fits = FieldFits(record.size(), offset, sizeof(Unsigned));
  assert(fits && "field beyond the record");
  if (!fits) return;
  for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
    record[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

}  // namespace record_fields_detail

inline std::uint8_t ReadU8(RecordView record, std::size_t offset) {
  return record_fields_detail::ReadLittleEndian<std::uint8_t>(record, offset);
}
inline std::uint16_t ReadU16(RecordView record, std::size_t offset) {
  return record_fields_detail::ReadLittleEndian<std::uint16_t>(record, offset);
}
inline std::uint32_t ReadU32(RecordView record, std::size_t offset) {
  return record_fields_detail::ReadLittleEndian<std::uint32_t>(record, offset);
}
inline std::uint64_t ReadU64(RecordView record, std::size_t offset) {
  return record_fields_detail::ReadLittleEndian<std::uint64_t>(record, offset);
}
inline std::int64_t ReadI64(RecordView record, std::size_t offset) {
  return std::bit_cast<std::int64_t>(ReadU64(record, offset));
}
inline double ReadDouble(RecordView record, std::size_t offset) {
  return std::bit_cast<double>(ReadU64(record, offset));
}

inline void WriteU8(RecordBuffer record, std::size_t offset, std::uint8_t value) {
  record_fields_detail::WriteLittleEndian(record, offset, value);
}
inline void WriteU16(RecordBuffer record, std::size_t offset, std::uint16_t value) {
  record_fields_detail::WriteLittleEndian(record, offset, value);
}
inline void WriteU32(RecordBuffer record, std::size_t offset, std::uint32_t value) {
  record_fields_detail::WriteLittleEndian(record, offset, value);
}
inline void WriteU64(RecordBuffer record, std::size_t offset, std::uint64_t value) {
  record_fields_detail::WriteLittleEndian(record, offset, value);
}
inline void WriteI64(RecordBuffer record, std::size_t offset, std::int64_t value) {
  WriteU64(record, offset, std::bit_cast<std::uint64_t>(value));
}
inline void WriteDouble(RecordBuffer record, std::size_t offset, double value) {
  WriteU64(record, offset, std::bit_cast<std::uint64_t>(value));
}

// A date is 32 bits: day, month, 16-bit year.
inline constexpr std::size_t DATE_WIDTH = 4;

inline ui::Date ReadDate(RecordView record, std::size_t offset) {
  if (!FieldFits(record.size(), offset, DATE_WIDTH)) {
    assert(!"date beyond the record");
    return ui::ZERO_DATE;
  }
  return {ReadU8(record, offset), ReadU8(record, offset + 1), ReadU16(record, offset + 2)};
}

inline void WriteDate(RecordBuffer record, std::size_t offset, const ui::Date& date) {
  if (!FieldFits(record.size(), offset, DATE_WIDTH)) {
    assert(!"date beyond the record");
    return;
  }
  WriteU8(record, offset, date.day);
  WriteU8(record, offset + 1, date.month);
  WriteU16(record, offset + 2, date.year);
}

// A short string field of `width` bytes holds at most width - 1 characters.
// A length byte larger than that reads the whole field, never beyond it.
inline ShortString ReadShortString(RecordView record, std::size_t offset, std::size_t width) {
  if (width == 0 || !FieldFits(record.size(), offset, width)) {
    assert(!"short string beyond the record");
    return {};
  }
  const std::size_t length = std::min<std::size_t>(record[offset], width - 1);
  const auto* chars = reinterpret_cast<const char*>(record.data() + offset + 1);
  return ShortString(std::string_view(chars, length));
}

// Writes the length byte and the characters, cut to the field; the rest of
// the field keeps its bytes.
inline void WriteShortString(RecordBuffer record, std::size_t offset, std::size_t width,
                             std::string_view text) {
  if (width == 0 || !FieldFits(record.size(), offset, width)) {
    assert(!"short string beyond the record");
    return;
  }
  const std::size_t length = std::min({text.size(), width - 1, ShortString::MAX_LENGTH});
  record[offset] = static_cast<std::uint8_t>(length);
  std::copy_n(text.data(), length, reinterpret_cast<char*>(record.data() + offset + 1));
}

// Copies `count` bytes between two records.
inline void CopyBytes(RecordView source, std::size_t sourceOffset, RecordBuffer target,
                      std::size_t targetOffset, std::size_t count) {
  const bool fits = FieldFits(source.size(), sourceOffset, count) &&
                    FieldFits(target.size(), targetOffset, count);
  assert(fits && "bytes beyond the record");
  if (!fits) return;
  std::copy_n(source.data() + sourceOffset, count, target.data() + targetOffset);
}

// Copies the bytes at `offset` into the same place of another record.
inline void CopySameBytes(RecordView source, RecordBuffer target, std::size_t offset,
                          std::size_t count) {
  CopyBytes(source, offset, target, offset, count);
}

inline void FillBytes(RecordBuffer record, std::size_t offset, std::size_t count,
                      std::uint8_t value) {
  const bool fits = FieldFits(record.size(), offset, count);
  assert(fits && "bytes beyond the record");
  if (!fits) return;
  std::fill_n(record.data() + offset, count, value);
}

// The whole source copied to the start of the target, as far as both reach.
inline void CopyRecord(RecordView source, RecordBuffer target) {
  std::copy_n(source.data(), std::min(source.size(), target.size()), target.data());
}

inline void ClearRecord(RecordBuffer record) {
  std::fill(record.begin(), record.end(), 0);
}

}  // namespace zq::fileaccess
