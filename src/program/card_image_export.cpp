#include "program/card_image_export.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <unistd.h>

#include "card/render_card.h"
#include "core/encoding.h"
#include "core/profile.h"
#include "core/translatable.h"
#include "program/card_image.h"
#include "program/program.h"

namespace tevra {
namespace {

namespace fs = std::filesystem;

bool SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

// Draws each card of a page into a picture file of the staging folder.
class ImageCanvas : public PageCanvas {
 public:
  ImageCanvas(Document& doc, const ImageExport& options, std::string staging)
      : doc_(doc), options_(options), staging_(std::move(staging)), pattern_(FromUnicode(options.namePattern)) {}

  void DrawCard(int /*column*/, int /*row*/, bool /*grid*/) override {
    if (!error.empty()) return;
    // The name, as the card's first QSO gives it.
    QsoRecord first = doc_.mergeBuffer[0];
    std::string name = SafeImageName(ToUnicode(doc_.expander->ExpandLine(pattern_, first)));
    const int seen = ++used_[name];
    if (seen > 1) name += "-" + std::to_string(seen);
    const std::string file = name + "." + options_.format;
    const std::string target = (fs::path(options_.folder) / file).string();
    std::error_code ec;
    if (!options_.overwrite && fs::exists(target, ec)) {
      error = target + " is there already (--overwrite replaces it)";
      return;
    }
    // The card as --png draws it, cut out of its paper.
    const PrinterMetrics& m = doc_.metrics.Metrics();
    RenderContext render{*doc_.expander, &doc_.layout.Tables};
    const QImage paper = RenderCardImage(doc_.layout.Items, doc_.layout.Settings, m, render, options_.dpi);
    // What lies beyond the paper (a card larger than its printable area) is white.
    const QRect cut = CardPixels(options_.dpi);
    QImage card(cut.size(), QImage::Format_RGB32);
    card.fill(Qt::white);
    card.setDotsPerMeterX(paper.dotsPerMeterX());
    card.setDotsPerMeterY(paper.dotsPerMeterY());
    {
      QPainter painter(&card);
      painter.drawImage(QPoint(0, 0), paper, cut.intersected(paper.rect()));
    }
    const std::string staged = (fs::path(staging_) / file).string();
    // Encoded in memory, then written whole and synced.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, options_.format == "jpg" ? "jpeg" : "png");
    if (options_.format == "jpg") writer.setQuality(90);
    if (!writer.write(card)) {
      error = target + ": " + writer.errorString().toStdString();
      return;
    }
    if (!ReplaceFileAtomically(staged, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
      error = target + ": cannot be written (is the disk full?)";
      return;
    }
    files.emplace_back(file, target);
  }

  // Where the card lies on the paper picture of --png, in pixels.
  QRect CardPixels(int dpi) const {
    const DocumentSettings& s = doc_.layout.Settings;
    const PrinterMetrics& m = doc_.metrics.Metrics();
    const double x = (m.offsetX + s.LeftMargin * 100 / 254) * dpi / 1000.0;
    const double y = (m.offsetY + s.TopMargin * 100 / 254) * dpi / 1000.0;
    const LogicalPoint extent = GridExtent(s, m);
    return QRect(static_cast<int>(x + 0.5), static_cast<int>(y + 0.5),
                 std::max(1, static_cast<int>(extent.x * static_cast<double>(dpi) / 1000 + 0.5)),
                 std::max(1, static_cast<int>(extent.y * static_cast<double>(dpi) / 1000 + 0.5)));
  }

  std::string error;
  std::vector<std::pair<std::string, std::string>> files;  // staged name, target

 private:
  Document& doc_;
  const ImageExport& options_;
  std::string staging_;
  std::string pattern_;  // CP932
  std::map<std::string, int> used_;
};

}  // namespace

std::optional<std::string> ImageExportProblem(const ImageExport& o) {
  if (o.folder.empty()) return std::string(QT_TRANSLATE_NOOP("Tevra", "書き出すフォルダを指定してください."));
  if (o.format != "png" && o.format != "jpg") return std::string(QT_TRANSLATE_NOOP("Tevra", "形式は png か jpg です."));
  if (o.dpi < 72 || o.dpi > 600) return std::string(QT_TRANSLATE_NOOP("Tevra", "解像度は 72 から 600 dpi です."));
  if (o.namePattern.empty()) return std::string(QT_TRANSLATE_NOOP("Tevra", "ファイル名の書式を指定してください."));
  return std::nullopt;
}

std::string SafeImageName(std::string_view utf8) {
  std::string name;
  for (char c : utf8) {
    const bool unsafe = c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
                        c == '>' || c == '|' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    name += unsafe ? '-' : c;
  }
  const auto first = name.find_first_not_of(" .");
  name = first == std::string::npos ? std::string() : name.substr(first, name.find_last_not_of(" .") - first + 1);
  // File names stay within what a file system takes (bytes, not characters:
  // a cut inside a UTF-8 sequence is taken back to its start).
  if (name.size() > 200) {
    std::size_t cut = 200;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.resize(cut);
  }
  return name.empty() ? "card" : name;
}

PageLoopResult ExportCardImages(PrintJob& job, Document& doc, const ImageExport& options, int from, int to,
                                const std::function<bool(int, int)>& progress, std::vector<std::string>* written) {
  PageLoopResult result;
  std::error_code ec;
  fs::create_directories(options.folder, ec);
  if (!fs::is_directory(options.folder, ec)) {
    result.ok = false;
    result.error = options.folder + " is no folder that can be made";
    return result;
  }
  std::string pattern = (fs::path(options.folder) / ".tevra-images-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    result.ok = false;
    result.error = options.folder + ": the folder cannot be written";
    return result;
  }
  const std::string staging = pattern;
  ImageCanvas canvas(doc, options, staging);
  from = std::max({from, job.MinPage(), 1});
  to = std::min(to <= 0 ? job.PageCount() : to, job.PageCount());
  const int total = std::max(0, to - from + 1);
  bool cancelled = false;
  for (int page = from; page <= to; ++page) {
    if (!job.PreparePage()) {
      result.stoppedEarly = true;
      break;
    }
    job.PrintPage(page, canvas);
    if (!canvas.error.empty()) break;
    if (result.firstPage == 0) result.firstPage = page;
    result.lastPage = page;
    if (progress && !progress(page - from + 1, total)) {
      cancelled = true;
      break;
    }
  }
  if (canvas.error.empty() && cancelled) canvas.error = "cancelled";
  // Into place only when every picture was written.
  if (canvas.error.empty()) {
    for (const auto& [file, target] : canvas.files) {
      fs::rename(fs::path(staging) / file, target, ec);
      if (ec) {
        canvas.error = target + ": " + ec.message();
        break;
      }
      if (written) written->push_back(target);
    }
    if (canvas.error.empty() && !SyncFolder(options.folder)) canvas.error = options.folder + ": cannot be synced";
  }
  fs::remove_all(staging, ec);
  if (!canvas.error.empty()) {
    result.ok = false;
    result.error = canvas.error;
  }
  return result;
}

}  // namespace tevra
