// Text and token helpers over CP932 (Shift-JIS) byte strings.
//
// Every scanner here treats a double-byte character as one unit: a lead byte
// (0x81-0x9F, 0xE0-0xFC) and the byte after it are copied or skipped together,
// and neither is compared with a delimiter. Half-width katakana (0xA1-0xDF)
// are single bytes; the half-width corner brackets 0xA2/0xA3 are ordinary
// single-byte brackets.
//
// Tokenizers take the remaining input as a string_view and return what is
// left after the token (the "next" position); bounded copies never split a
// double-byte character.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace tevra {

// Half-width corner brackets used by tagged remark items.
inline constexpr char kCornerOpen = '\xA2';
inline constexpr char kCornerClose = '\xA3';
// Field separator that NormaliseSeparators writes.
inline constexpr char kFieldSeparator = '\x1E';

inline bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline bool IsLeadByte(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }

// Length in bytes of the character that starts at text[i] (1 or 2). A lead
// byte that is the last byte of the text counts as one byte.
inline std::size_t CharLength(std::string_view text, std::size_t i) {
  return (IsLeadByte(text[i]) && i + 1 < text.size()) ? 2 : 1;
}

// The longest prefix of text that has at most n bytes and does not end in
// the middle of a double-byte character.
std::string_view PrefixOfChars(std::string_view text, std::size_t n);

// ASCII case folding; double-byte characters are left alone.
void UpperCaseAscii(std::string& text);
std::string ToUpperAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

bool IsWordDelimiter(char c);
bool IsTagSeparator(char c);
// Closing partner of an opening bracket of "[{(｢<", or 0.
char ClosingBracketOf(char open);
// Opening partner of a closing bracket of "]})｣>", or 0.
char OpeningBracketOf(char close);

// --- Mechanical helpers ---------------------------------------------------

bool IsAllDigits(std::string_view text);
void CutAtLineEnd(std::string& text);
// At most n bytes of src (a cut may split a double-byte character).
std::string CopyBounded(std::string_view src, std::size_t n);
// Copies text into a C buffer of size bytes with its NUL, cut before a
// double-byte character that would not fit whole. Nothing for size 0.
void CopyToBuffer(std::string_view text, char* buffer, std::size_t size);
char LastChar(std::string_view text);
void ReplaceExtension(std::string& path, std::string_view newExtension);
std::string_view ExtensionOf(std::string_view path);
int DecimalValue(std::string_view text, int n = -1);
int HexValue(std::string_view text, int n = -1);
void RemoveChar(std::string& text, char c);
void TrimRight(std::string& text);
std::string_view TrimRight(std::string_view text);
std::string_view SkipBlanks(std::string_view text);
void ReplaceChar(std::string& text, char from, char to);
std::string_view SkipApostrophe(std::string_view text);
// Free space of the temporary directory's file system in KiB; 10240 when it
// cannot be queried.
unsigned TempFreeKilobytes();
unsigned FreeKilobytesOf(const char* directory);
// Reads an unsigned decimal number as "%u" does: optional leading blanks,
// then digits (wrapping modulo 2^32). False, with text unchanged, when no
// digit follows; otherwise text is advanced past the digits.
bool ScanUnsigned(std::string_view& text, unsigned& value);
// The leading unsigned number of text ("%u"), or 0 when there is none.
unsigned LeadingNumber(std::string_view text);
// Numbers separated by the given characters, as "%u.%u.%u" reads them (a
// blank separator matches any run of blanks); how many were read.
int ScanNumbers(std::string_view text, std::string_view separators, unsigned* values, int count);
// snprintf into a string, for the program's own fixed formats.
template <typename... Args>
std::string Format(const char* format, Args... args) {
  char buffer[128];
  const int n = std::snprintf(buffer, sizeof buffer, format, args...);
  return std::string(buffer, n < 0 ? 0 : (static_cast<std::size_t>(n) < sizeof buffer ? static_cast<std::size_t>(n) : sizeof buffer - 1));
}

// --- Tokenizers -------------------------------------------------------------

std::string_view CopyWord(std::string& dst, std::string_view src);
std::string_view CopyUntil(std::string& dst, std::string_view src, char c);
// src starts just after an opening bracket. Returns what follows the closing
// character, or nullopt when the text ended first (dst then holds what was
// copied, at most n bytes).
std::optional<std::string_view> CopyToClose(std::string& dst, std::string_view src, char close,
                                            std::size_t n);
std::optional<std::string_view> SplitOutsideBrackets(std::string& dst, std::string_view src,
                                                     char sep, std::size_t n);
std::string_view CopyCallToken(std::string& dst, std::string_view src);
// Splits the first field off text at the first sep outside double quotes and
// advances text past the separator (to the end when there is none). A field
// that is wholly quoted loses its quotes.
std::string_view SplitField(std::string_view& text, char sep);
inline std::string_view SplitComma(std::string_view& text) { return SplitField(text, ','); }
// Separator types: 0 (and above 3) comma, 1 tab, 2 space, 3 space or tab.
void NormaliseSeparators(std::string& record, int type);
void UnescapeLineBreaks(std::string& text);
void EscapeLineBreaks(std::string& text);

// Tagged remark items. The value is at most kTaggedValueMax bytes.
inline constexpr std::size_t kTaggedValueMax = 512;
std::optional<std::string> FindTaggedItem(std::string_view text, std::string_view key);
// As above; when found, the whole item is removed from text.
std::optional<std::string> RemoveTaggedItem(std::string& text, std::string_view key);
void AppendTaggedItem(std::string_view key, std::string& buffer, std::string_view value,
                      char open = kCornerOpen, char close = kCornerClose);

}  // namespace tevra
