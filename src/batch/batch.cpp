#include "batch/batch.h"

#include "batch/batch_options.h"
#include "batch/batch_runs.h"
#include "batch/batch_session.h"

namespace tevra {

int RunBatch(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      std::fputs(kBatchUsage, out);
      return 0;
    }
    if (a == "--version") {
      std::fprintf(out, "tevra-batch %s\n", TEVRA_VERSION);
      return 0;
    }
  }
  BatchOptions options;
  if (auto error = ParseArguments(args, options)) {
    std::fprintf(err, "tevra-batch: %s\n\n%s", error->c_str(), kBatchUsage);
    return 2;
  }
  if (options.saveLayoutPath) {
    if (const int rc = SaveLayout(options, err); rc != 0 || (!options.pngPath && !options.pdfPath)) return rc;
  }
  if (options.listSheets) return ListSheets(*options.listSheets, out, err);
  if (options.outputPdf || options.printerName || options.imagesDir) return PrintCards(options, out, err);
  if (options.pngPath || options.pdfPath || options.thumbnailSize) return RenderLayout(options, err);
  return ListLog(options, out, err);
}

}  // namespace tevra
