// Fingerprints of the records of the logs the write-back changes in place.
// A record's fingerprint covers every byte except its QSL-sent field, so
// that the write-back can tell a record it loaded from one that another
// program has changed or moved since, even when the file's time stamp was
// kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tevra {

std::uint64_t FingerprintBytes(std::string_view bytes, std::uint64_t seed = 14695981039346656037ull);

// The sent field of each format, within the record.
inline constexpr std::size_t kMdtSentByte = 176;
inline constexpr std::size_t kDbsSentByte = 43;

std::uint64_t MdtFingerprint(std::string_view record);  // 256 bytes
std::uint64_t DbsFingerprint(std::string_view record);  // 58 bytes
// LOG200: the text of bytes 0..197 without its 16th field and without the
// trailing blanks (where an inserted mark takes its room from).
std::uint64_t L2Fingerprint(std::string_view record);
// LOG200: puts mark into an empty 16th field of a 200-byte record, taking
// the room from the blanks before byte 198, so that the record keeps its
// length and its fingerprint. False when nothing was inserted (the field is
// not empty, or there are no trailing blanks).
bool InsertLog200Mark(std::string& record, std::string_view mark);
// Whether the 16th field of a LOG200 record is empty (or missing).
bool L2SentFieldEmpty(std::string_view record);

// A record with one byte (the sent character) left out.
std::uint64_t FingerprintWithout(std::string_view record, std::size_t skipOffset, std::size_t skipLength);

}  // namespace tevra
