#include "writeback/write_back.h"
#include "writeback/write_back_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "import/log_loader.h"
#include "log/log_store.h"
#include "merge/part_mark.h"
#include "core/band.h"
#include "core/call_sign.h"
#include "core/file_io.h"
#include "core/file_rewrite.h"
#include "core/messages.h"
#include "core/profile.h"
#include "core/text.h"
#include "import/adif_reader.h"
#include "import/csv_readers.h"
#include "import/dbase_file.h"
#include "import/external_libraries.h"
#include "import/log_source.h"
#include "import/native_readers.h"
#include "import/record_fingerprint.h"
#include "platform/clipboard.h"
#include "platform/ui.h"


namespace tevra {

bool LogWriteBack::WritePrintedList() {
  std::string text;
  LogStore& store = doc_.Log();
  for (std::size_t i = 0; i < store.QsoCount(); ++i) {
    const std::int32_t position = store.PrintedPosition(i);
    if (position >= 0) text += std::to_string(position) + "\r\n";
  }
  return ReplaceFileAtomically(Sibling(doc_.Loader().LastLogPath(), ".TVQ"), text);
}

bool LogWriteBack::WriteClipboardAnswer() {
  if (!clipboard) return false;
  std::string text = "$TEVRA_PRINTOUT\r\n";
  LogStore& store = doc_.Log();
  for (std::size_t i = 0; i < store.QsoCount(); ++i) {
    const std::int32_t position = store.PrintedPosition(i);
    if (position >= 0) text += std::to_string(position) + "\r\n";
  }
  clipboard->SetText(text);
  return true;
}

}  // namespace tevra
