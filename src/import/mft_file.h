// CSV setting files (.mft): the conversion formulas, delimiter, UTC switch
// and the default QSO record.
#pragma once

#include <string>
#include <string_view>

#include "core/column_keywords.h"
#include "core/qso_record.h"

namespace tevra {

// 20 bytes of magic; one more byte follows in the file.
inline constexpr std::string_view kMftMagic{"TEVRA CSV Define\r\n\x1A\0", 20};

std::string EncodeMft(const RecordLayout& layout, const QsoRecord& defaultQso);
// False, with both outputs unchanged, for a wrong magic or a file cut short.
bool DecodeMft(std::string_view bytes, RecordLayout& layout, QsoRecord& defaultQso);

enum class MftResult { Ok, CannotOpen, BadFormat };
MftResult ReadMftFile(const std::string& path, RecordLayout& layout, QsoRecord& defaultQso);
bool WriteMftFile(const std::string& path, const RecordLayout& layout, const QsoRecord& defaultQso);

}  // namespace tevra
