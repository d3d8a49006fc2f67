// One QSO as the fixed 732-byte record that every log reader fills and that
// the CSV setting file stores byte for byte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <cstring>
#include <string_view>

namespace tevra {

struct QsoRecord {
  std::uint8_t Year = 0;  // year modulo 100, Japan time
  std::uint8_t Month = 0;
  std::uint8_t Day = 0;
  std::uint8_t Hour = 0;
  std::uint8_t Minute = 0;
  char Call[25] = {};
  char RstSent[25] = {};
  char Mode[21] = {};
  char Freq[21] = {};
  char Power[9] = {};
  char Name[51] = {};
  char Qth[51] = {};
  char Remarks[513] = {};
  char QslSent = 0;
  char QslRcvd = 0;
  std::uint8_t Reserved = 0;
  std::int32_t Env = 0;
  std::int32_t SourceIndex = 0;
};

static_assert(std::is_standard_layout_v<QsoRecord>);
static_assert(sizeof(QsoRecord) == 732);
static_assert(offsetof(QsoRecord, Call) == 5);
static_assert(offsetof(QsoRecord, RstSent) == 30);
static_assert(offsetof(QsoRecord, Mode) == 55);
static_assert(offsetof(QsoRecord, Freq) == 76);
static_assert(offsetof(QsoRecord, Power) == 97);
static_assert(offsetof(QsoRecord, Name) == 106);
static_assert(offsetof(QsoRecord, Qth) == 157);
static_assert(offsetof(QsoRecord, Remarks) == 208);
static_assert(offsetof(QsoRecord, QslSent) == 721);
static_assert(offsetof(QsoRecord, QslRcvd) == 722);
static_assert(offsetof(QsoRecord, Env) == 724);
static_assert(offsetof(QsoRecord, SourceIndex) == 728);

inline constexpr std::size_t kQsoRecordSize = sizeof(QsoRecord);
using QsoRecordBytes = std::array<std::uint8_t, kQsoRecordSize>;

// Text of a fixed field: the bytes up to the first NUL.
template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
  // memchr looks at many bytes at a time (a remark field is 512 bytes).
  const void* end = std::memchr(field, '\0', N);
  return {field, end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : N};
}

// Stores text in a fixed field: at most N - 1 bytes, never splitting a
// double-byte character, NUL-padded.
void StoreField(char* field, std::size_t capacity, std::string_view text);
template <std::size_t N>
void SetField(char (&field)[N], std::string_view text) {
  StoreField(field, N, text);
}

// Byte-exact little-endian form, independent of the host's layout.
QsoRecordBytes ToBytes(const QsoRecord& record);
QsoRecord FromBytes(std::span<const std::uint8_t, kQsoRecordSize> bytes);

bool operator==(const QsoRecord& a, const QsoRecord& b);

}  // namespace tevra
