// Conversion between the CP932 bytes that all data is kept in and the UTF-8
// used by messages and the terminal. Conversion happens only at the edges.
#pragma once

#include <string>
#include <string_view>

namespace tevra {

// CP932 -> UTF-8. A byte sequence that is not valid CP932 becomes U+FFFD.
std::string ToUnicode(std::string_view cp932);
// UTF-8 -> CP932. A character without a CP932 form is written as its
// nearest plain letters where there are such (á as a, ß as ss, Œ as OE);
// anything else (or invalid UTF-8) becomes "?".
std::string FromUnicode(std::string_view utf8);

// The plain ASCII stand-in for a code point that CP932 lacks: a Latin
// letter without its accent, a typographic quote or dash as its plain
// form. Empty when there is none.
std::string_view Transliteration(char32_t c);

// Windows-1252 (ISO-8859-1 with printable characters in 0x80-0x9F) -> UTF-8.
std::string Latin1ToUtf8(std::string_view latin1);

// The position of the first byte from `from` on that is not ASCII (the
// size when there is none); eight bytes are tested at a time.
std::size_t NextNonAscii(std::string_view text, std::size_t from);

// Whether text is valid UTF-8 and holds at least one multi-byte character.
bool IsMultibyteUtf8(std::string_view text);

// The character sets that log files from other programs come in.
enum class TextEncoding { Cp932, Utf8, Latin1 };

// A field of a file in `fileEncoding`, as CP932. A field that is valid
// multi-byte UTF-8 is taken as UTF-8 whatever the file is in, so that a
// UTF-8 name survives in a file that is otherwise Latin-1 (and the other
// way round).
std::string FieldToCp932(std::string_view field, TextEncoding fileEncoding);

}  // namespace tevra
