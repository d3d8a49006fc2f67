// tevra-batch's command line: what each option asks for, and the usage text.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/encoding.h"
#include "import/text_encoding.h"

namespace tevra {

extern const char* const kBatchUsage;

struct BatchOptions {
  std::string listPath;
  std::optional<std::string> pngPath;
  std::optional<std::string> pdfPath;
  // --thumbnail SIZE IN OUT: the card alone scaled to fit SIZE pixels.
  std::optional<int> thumbnailSize;
  std::string thumbnailPath;
  // --sheet "BRAND PART": a catalogue label sheet for this run's layout.
  std::optional<std::string> sheet;
  // --list-sheets [WORD...]: the catalogue's sheets that hold the words.
  std::optional<std::string> listSheets;
  std::string layout;
  std::optional<std::string> renderLogPath;  // render the log's first card instead of the samples
  std::optional<std::string> saveLayoutPath;
  std::string saveLayoutSource;
  std::optional<std::string> expandText;  // CP932
  std::optional<std::string> expandFile;  // the file expandText comes from
  std::optional<std::string> where;       // CP932
  std::optional<std::string> configPath;
  std::optional<std::string> mftPath;
  bool guess = false;
  int skip = 0;
  // The merge print: into a PDF file, to a printer, or as one picture per
  // card into a folder (--images, with its format, resolution, names).
  std::optional<std::string> outputPdf;
  std::optional<std::string> imagesDir;
  std::string imageFormat = "png";
  int imageDpi = 300;
  std::optional<std::string> imageName;
  bool overwrite = false;
  std::optional<std::string> printerName;
  std::string printLayout;
  std::optional<std::string> printLog;
  int fromPage = 1;
  int toPage = 0;  // 0: the last page
  bool testPrint = false;
  bool resume = false;
  bool noPrompts = false;
  bool writeBack = false;
  bool suppress = false;
  int firstLabel = 1;
  // --encoding: set (to auto or a character set) or not given.
  std::optional<std::optional<TextEncoding>> encoding;
  std::string sort;             // "asc", "desc", "time" or empty
  std::optional<int> perCard;   // QSOs per card
  bool areas = false;
  bool countOnly = false;  // --count: the QSO and card counts alone
  std::optional<std::string> exportDbfPath;  // --export-dbf: the log as a dBase file
  // --odbc CONNECTION --table NAME: a database table instead of a LOGFILE.
  std::optional<std::string> odbcConnection;
  std::string odbcTable;
  // --plugin LIBRARY --source PATH: a plug-in's source instead of a LOGFILE.
  std::optional<std::string> pluginLibrary;
  std::string pluginSource;
  bool LiveSource() const { return odbcConnection || pluginLibrary; }
  // The log as messages name it: the file, the table or the plug-in's source.
  std::string LogName(const std::string& log) const {
    if (!LiveSource()) return log;
    if (odbcConnection) return "table " + ToUnicode(odbcTable);
    return pluginSource;
  }
};

// What a log argument stands for when the log is a database table or a
// plug-in's source.
constexpr const char* kOdbcLog = "\x01live";

// Parses the arguments; an error text when they are wrong.
std::optional<std::string> ParseArguments(const std::vector<std::string>& args, BatchOptions& options);

}  // namespace tevra
