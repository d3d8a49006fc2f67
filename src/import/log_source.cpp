#include "import/log_source.h"

#include <array>
#include <cstdio>
#include <memory>

#include "core/file_io.h"
#include "core/text.h"
#include "core/translatable.h"

namespace tevra {
namespace {

constexpr std::array<std::string_view, kFileSourceTypeCount> kFilters = {
    QT_TRANSLATE_NOOP("Tevra", "KUVALﾃｷｽﾄﾌｧｲﾙ(*.log)|*.log|"),
    QT_TRANSLATE_NOOP("Tevra", "KUVALﾃﾞｰﾀﾌｧｲﾙ(*.mdt)|*.mdt|"),
    QT_TRANSLATE_NOOP("Tevra", "LOG200ﾃﾞｰﾀﾌｧｲﾙ(*.l2)|*.l2|"),
    QT_TRANSLATE_NOOP("Tevra", "HAMLOGﾃﾞｰﾀﾌｧｲﾙ(*.dbs)|*.dbs|"),
    QT_TRANSLATE_NOOP("Tevra", "HAMLOG(Ver5)ﾃﾞｰﾀﾌｧｲﾙ(*.hdb)|*.hdb|"),
    QT_TRANSLATE_NOOP("Tevra", "CTﾃｷｽﾄﾌｧｲﾙ(*.res)|*.res|"),
    QT_TRANSLATE_NOOP("Tevra", "dBaseⅢ,Ⅳﾃﾞｰﾀﾌｧｲﾙ(*.dbf)|*.dbf|"),
    QT_TRANSLATE_NOOP("Tevra", "TR-LOGﾃﾞｰﾀﾌｧｲﾙ(*.dat)|*.dat|"),
    QT_TRANSLATE_NOOP("Tevra", "ADIFﾃﾞｰﾀﾌｧｲﾙ(*.adi;*.adif)|*.adi;*.adif|"),
    QT_TRANSLATE_NOOP("Tevra", "Cabrilloﾃﾞｰﾀﾌｧｲﾙ(*.cbr;*.cab;*.txt)|*.cbr;*.cab;*.txt|"),
    QT_TRANSLATE_NOOP("Tevra", "CSV形式ﾃｷｽﾄﾌｧｲﾙ(*.csv;*.txt)|*.CSV;*.TXT|"),
};

std::string UpperExtension(std::string_view path) { return ToUpperAscii(ExtensionOf(FileNameOf(path))); }

}  // namespace

std::string_view FileNameOf(std::string_view path) {
  auto slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view DirectoryOf(std::string_view path) {
  auto slash = path.find_last_of('/');
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

std::string_view LogFilterOf(LogSourceType type) {
  return (type >= 0 && type < kFileSourceTypeCount) ? kFilters[type] : std::string_view();
}

LogFilterList BuildLogFilterList(LogSourceType currentType, std::string_view currentLogName) {
  LogFilterList list;
  int count = 0;
  auto add = [&](std::string_view filter, bool cabrillo) {
    list.filters.append(filter);
    if (cabrillo) list.cabrilloFilterIndex = count;
    ++count;
  };
  if (currentType > SrcCabrillo) {
    std::string ext = ToUpperAscii(CopyBounded(ExtensionOf(FileNameOf(currentLogName)), 4));
    if (!ext.empty() && ext != "CSV" && ext != "TXT")
      add(ext + "ファイル (*." + ext + ")|*." + ext + "|", false);
  }
  if (currentType >= 0 && currentType < kFileSourceTypeCount)
    add(kFilters[currentType], currentType == SrcCabrillo);
  for (int t = 0; t < kFileSourceTypeCount; ++t)
    if (t != currentType) add(kFilters[t], t == SrcCabrillo);
  list.filters.push_back('|');
  return list;
}

LogSourceType ReaderForChosenFile(std::string_view path, bool cabrilloFilterChosen) {
  const std::string ext = UpperExtension(path);
  if (ext == "LOG") return SrcKuvalText;
  if (ext == "MDT") return SrcKuvalData;
  if (ext == "L2") return SrcLog200;
  if (ext == "DBS") return SrcHamlog;
  if (ext == "HDB") return SrcHamlog5;
  if (ext == "RES") return SrcCt;
  if (ext == "DBF") return SrcDbf;
  if (ext == "DAT") return SrcTrLog;
  if (ext == "ADI" || ext == "ADIF") return SrcAdif;
  if (ext == "CBR" || ext == "CAB") return SrcCabrillo;
  if (ext == "TXT" && cabrilloFilterChosen) return SrcCabrillo;
  return SrcCsv;
}

std::optional<LogSourceType> ReaderForNamedFile(std::string_view path) {
  const std::string ext = UpperExtension(path);
  if (ext == "LOG") return SrcKuvalText;
  if (ext == "MDT") return SrcKuvalData;
  if (ext == "L2") return SrcLog200;
  if (ext == "DBS") return SrcHamlog;
  if (ext == "HDB") return SrcHamlog5;
  if (ext == "DBF") return SrcDbf;
  if (ext == "RES") return SrcCt;
  if (ext == "DAT") return SrcTrLog;
  if (ext == "ADI" || ext == "ADIF") return SrcAdif;
  if (ext == "CBR" || ext == "CAB") return SrcCabrillo;
  if (ext == "TXT" || ext == "CSV") return SrcCsv;
  return std::nullopt;
}

LogSourceType ReaderForContent(LogSourceType byExtension, std::string_view path, std::string_view head) {
  const std::string ext = UpperExtension(path);
  if (ext != "LOG" && ext != "TXT") return byExtension;
  if (head.starts_with("\xEF\xBB\xBF")) head.remove_prefix(3);
  const std::string_view first = SkipBlanks(head.substr(head.find_first_not_of(" \t\r\n") == std::string_view::npos
                                                               ? head.size()
                                                               : head.find_first_not_of(" \t\r\n")));
  if (StartsWithNoCase(first, "START-OF-LOG:")) return SrcCabrillo;
  const std::string upper = ToUpperAscii(head);
  for (const std::string_view tag : {"<EOH>", "<EOR>", "<CALL:", "<QSO_DATE:", "<ADIF_VER:"})
    if (upper.find(tag) != std::string::npos) return SrcAdif;
  return byExtension;
}

LogSourceType ReaderForFile(LogSourceType byExtension, const std::string& path) {
  const std::string ext = UpperExtension(path);
  if (ext != "LOG" && ext != "TXT") return byExtension;
  FilePtr file = OpenRegularFile(path);
  if (!file) return byExtension;  // the reader reports what is wrong
  std::string head(1 << 16, '\0');
  head.resize(std::fread(head.data(), 1, head.size(), file.get()));
  return ReaderForContent(byExtension, path, head);
}

std::string SourceDisplayName(LogSourceType type, std::string_view currentLogName) {
  switch (type) {
    case SrcClipboard: return "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ";
    case SrcAutomation: return "OLEｵｰﾄﾒｰｼｮﾝ";
    case SrcOdbc:
      return currentLogName.empty() ? std::string("ODBCﾃﾞｰﾀﾍﾞｰｽ") : "ODBC(" + std::string(currentLogName) + ")";
    case SrcPlugin:
      return currentLogName.empty() ? std::string("EXTSRC.DLL") : std::string(currentLogName);
    default: return std::string(currentLogName);
  }
}

bool CarriesSentMark(LogSourceType type) {
  switch (type) {
    case SrcKuvalText: case SrcKuvalData: case SrcLog200: case SrcHamlog: case SrcHamlog5:
    case SrcDbf: case SrcCsv: case SrcClipboard: case SrcOdbc: case SrcPlugin:
      return true;
    default:
      return false;
  }
}

}  // namespace tevra
