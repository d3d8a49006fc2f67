#include "core/qso_record.h"

#include <cstring>

#include "core/text.h"

namespace tevra {
namespace {

void PutInt32(std::uint8_t* p, std::int32_t value) {
  auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::int32_t GetInt32(const std::uint8_t* p) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(p[i]) << (8 * i);
  return static_cast<std::int32_t>(v);
}

template <std::size_t N>
void PutChars(std::uint8_t* base, std::size_t offset, const char (&field)[N]) {
  for (std::size_t i = 0; i < N; ++i) base[offset + i] = static_cast<std::uint8_t>(field[i]);
}

template <std::size_t N>
void GetChars(const std::uint8_t* base, std::size_t offset, char (&field)[N]) {
  for (std::size_t i = 0; i < N; ++i) field[i] = static_cast<char>(base[offset + i]);
  field[N - 1] = '\0';  // a stored record may lack its terminator
}

}  // namespace

void StoreField(char* field, std::size_t capacity, std::string_view text) {
  std::string_view kept = PrefixOfChars(text, capacity - 1);
  if (!kept.empty()) std::memcpy(field, kept.data(), kept.size());
  std::memset(field + kept.size(), 0, capacity - kept.size());
}

QsoRecordBytes ToBytes(const QsoRecord& r) {
  QsoRecordBytes b{};
  b[0] = r.Year;
  b[1] = r.Month;
  b[2] = r.Day;
  b[3] = r.Hour;
  b[4] = r.Minute;
  PutChars(b.data(), offsetof(QsoRecord, Call), r.Call);
  PutChars(b.data(), offsetof(QsoRecord, RstSent), r.RstSent);
  PutChars(b.data(), offsetof(QsoRecord, Mode), r.Mode);
  PutChars(b.data(), offsetof(QsoRecord, Freq), r.Freq);
  PutChars(b.data(), offsetof(QsoRecord, Power), r.Power);
  PutChars(b.data(), offsetof(QsoRecord, Name), r.Name);
  PutChars(b.data(), offsetof(QsoRecord, Qth), r.Qth);
  PutChars(b.data(), offsetof(QsoRecord, Remarks), r.Remarks);
  b[721] = static_cast<std::uint8_t>(r.QslSent);
  b[722] = static_cast<std::uint8_t>(r.QslRcvd);
  b[723] = 0;
  PutInt32(&b[724], r.Env);
  PutInt32(&b[728], r.SourceIndex);
  return b;
}

QsoRecord FromBytes(std::span<const std::uint8_t, kQsoRecordSize> b) {
  QsoRecord r;
  r.Year = b[0];
  r.Month = b[1];
  r.Day = b[2];
  r.Hour = b[3];
  r.Minute = b[4];
  GetChars(b.data(), offsetof(QsoRecord, Call), r.Call);
  GetChars(b.data(), offsetof(QsoRecord, RstSent), r.RstSent);
  GetChars(b.data(), offsetof(QsoRecord, Mode), r.Mode);
  GetChars(b.data(), offsetof(QsoRecord, Freq), r.Freq);
  GetChars(b.data(), offsetof(QsoRecord, Power), r.Power);
  GetChars(b.data(), offsetof(QsoRecord, Name), r.Name);
  GetChars(b.data(), offsetof(QsoRecord, Qth), r.Qth);
  GetChars(b.data(), offsetof(QsoRecord, Remarks), r.Remarks);
  r.QslSent = static_cast<char>(b[721]);
  r.QslRcvd = static_cast<char>(b[722]);
  r.Reserved = 0;
  r.Env = GetInt32(&b[724]);
  r.SourceIndex = GetInt32(&b[728]);
  return r;
}

bool operator==(const QsoRecord& a, const QsoRecord& b) { return ToBytes(a) == ToBytes(b); }

}  // namespace tevra
