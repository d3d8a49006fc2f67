#include "desktop/file_commands.h"
#include "desktop/preview_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QImageReader>
#include <QInputDialog>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QMenu>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUndoCommand>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QUrl>
#include <filesystem>

#include "program/commands.h"
#include "desktop/frame_dialogs.h"
#include "desktop/main_frame.h"
#include "desktop/log_list_window.h"
#include "program/options_dialog.h"
#include "program/print_output.h"
#include "card/archive_records.h"
#include "card/layout_document.h"
#include "core/archive.h"
#include "core/file_io.h"
#include "core/encoding.h"
#include "core/messages.h"
#include "core/profile.h"
#include "import/log_source.h"
#include "editor/arrange.h"
#include "editor/card_view.h"
#include "editor/layout_editor.h"
#include "editor/view_status.h"
#include "card/item_dialogs.h"
#include "qt/document_dialog_views.h"
#include "qt/item_dialog_views.h"
#include "print/print_number_dialog.h"
#include "qt/qt_printer.h"
#include "log/qso_edit_dialog.h"
#include "qt/qt_ui.h"
#include "qt/translation.h"
#include "program/file_locations.h"
#include "program/card_image_export.h"

namespace tevra {


bool FileCommands::OpenByName(const std::string& path) {
  const bool layout = !ReaderForNamedFile(path).has_value();
  const bool ok = doc_.OpenByName(path);
  if (ok && layout) {
    doc_.path = path;
    frame_.SetDocumentTitle(QString());
    frame_.UndoStack().clear();
    frame_.SetModified(false);
  }
  frame_.Redraw();
  return ok;
}


bool FileCommands::AskToSave() {
  if (!doc_.modified) return true;
  const QString name = doc_.path.empty() ? Tevra::tr("無題") : QFileInfo(QString::fromStdString(doc_.path)).fileName();
  const std::string text = Tevra::tr("%1 への変更を保存しますか?").arg(name).toStdString();
  const Answer answer = questions_.askSaveChanges ? questions_.askSaveChanges() : program_.ui.Ask(text, Buttons::YesNoCancel, MessageIcon::Warning);
  if (answer == Answer::Cancel) return false;
  return answer == Answer::No || Save(doc_.path.empty());
}


std::string FileCommands::LayoutFolder() const {
  return LayoutDialogFolder(program_.settings.layoutDirectory,
                            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString(),
                            QDir::homePath().toStdString());
}


bool FileCommands::Save(bool askName) {
  std::string path = doc_.path;
  if (askName) {
    const std::string folder = LayoutFolder();
    const auto chosen = ui_.ChooseFileToSave(OpenFileRequest{
        QT_TRANSLATE_NOOP("Tevra", "名前を付けて保存"), "tvd",
        ProposedLayoutPath(path, ToUnicode(doc_.layout.Settings.Title), folder), folder,
        QT_TRANSLATE_NOOP("Tevra", "TEVRAデータファイル(*.tvd)|*.tvd||")});
    if (!chosen) return false;
    path = *chosen;
    program_.settings.layoutDirectory = FolderOf(path);
  }
  ArchiveWriter out;
  doc_.PrepareForSaving();
  SaveDocument(doc_.layout, out);
  if (!ReplaceFileAtomically(path, out.Data())) {
    program_.ui.ShowMessage(QT_TRANSLATE_NOOP("Tevra", "ファイルに書き込めませんでした."), MessageIcon::Error);
    return false;
  }
  doc_.path = path;
  program_.settings.recentLayouts.Add(path);
  frame_.UndoStack().setClean();
  frame_.SetModified(false);
  return true;
}


void FileCommands::NewDocument() {
  if (!AskToSave()) return;
  StartNewDocument();
}


void FileCommands::StartNewDocument() {
  doc_.DiscardContents();
  doc_.path.clear();
  frame_.SetDocumentTitle(QString());
  frame_.UndoStack().clear();
  frame_.SetModified(false);
  if (doc_.newDocEvent) doc_.newDocEvent();
  frame_.Redraw();
}


void FileCommands::OpenDocument() {
  if (!AskToSave()) return;
  QDir::setCurrent(QString::fromStdString(program_.paths.programDirectory));
  const auto choice = ui_.ChooseFileToOpen(OpenFileRequest{QT_TRANSLATE_NOOP("Tevra", "開く"), "tvd", "", LayoutFolder(),
                                                           QT_TRANSLATE_NOOP("Tevra", "TEVRAデータファイル(*.tvd)|*.tvd;*.TVD||")});
  if (!choice) return;
  program_.settings.layoutDirectory = FolderOf(choice->path);
  OpenByName(choice->path);
}


void FileCommands::Print(PrintKind kind, bool withDialog) {
  using namespace cmd;
  if (kind == PrintKind::Merge && doc_.store.CardCount() == 0) {
    if (!doc_.loader.OpenLogDialog() || doc_.store.CardCount() == 0) return;
  }
  PrintJob job(doc_, kind);
  job.spoolerPauses = printer_ && printer_->Device().outputFormat() == QPrinter::NativeFormat;
  if (!job.Prepare()) return;
  std::unique_ptr<QtPrinter> pdfOnly;
  QPrinter* device = printer_ ? &printer_->Device() : PdfDevice(pdfOnly);
  // Without a printer the cards go to the PDF file chosen last (kept in
  // the settings file), else to TEVRA.pdf in the documents folder.
  if (!printer_)
    device->setOutputFileName(QString::fromStdString(DefaultPrintFile(
        program_.settings.printFile, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString())));
  FrameQuestions::PrintChoice choice;
  if (withDialog) {
    const PrintDialogText text = PrintDialogTextFor(kind);
    bool accepted;
    if (questions_.printDialog) {
      accepted = questions_.printDialog(*device, text, job.MinPage(), job.PageCount(), choice);
    } else {
      QPrintDialog dialog(device, frame_.Window());
      if (!text.title.empty()) dialog.setWindowTitle(Tr(text.title));
      dialog.setMinMax(job.MinPage(), job.PageCount());
      dialog.setFromTo(job.MinPage(), job.PageCount());
      QAbstractPrintDialog::PrintDialogOptions options =
          QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize;
      // The current page stands for "現在のﾍﾟｰｼﾞ" in both kinds.
      options |= QAbstractPrintDialog::PrintCurrentPage;
      dialog.setOptions(options);
      accepted = dialog.exec() == QDialog::Accepted;
      if (accepted) {
        choice.currentPage = dialog.printRange() == QAbstractPrintDialog::CurrentPage;
        if (dialog.printRange() == QAbstractPrintDialog::PageRange) {
          choice.from = dialog.fromPage();
          choice.to = dialog.toPage();
        }
      }
    }
    if (!accepted) return;
    if (device->outputFormat() == QPrinter::PdfFormat && !device->outputFileName().isEmpty())
      program_.settings.printFile = device->outputFileName().toStdString();
  }
  const bool toPdfFile = device->outputFormat() == QPrinter::PdfFormat;
  if (toPdfFile) QDir().mkpath(QFileInfo(device->outputFileName()).absolutePath());
  int from = std::max(choice.from, job.MinPage()), to = choice.to;
  if (choice.currentPage) from = to = job.CurrentCardPage();
  job.Begin();
  PageLoopResult result;
  if (device->outputFormat() == QPrinter::PdfFormat) {
    // A PDF file is checked to the last byte before it counts as printed.
    QPageLayout layout = device->pageLayout();
    if (device->fullPage()) layout.setMode(QPageLayout::FullPageMode);
    result = PrintToPdfFile(job, doc_, device->outputFileName().toStdString(), layout, device->resolution(), from, to);
  } else {
    result = RunPageLoop(job, doc_, *device, device->resolution(), from, to);
  }
  if (!result.ok) {
    // Nothing was printed: no marks, no print number, no write-back.
    job.Fail();
    std::string text = QT_TRANSLATE_NOOP("Tevra", "印刷できませんでした.");
    if (!result.error.empty()) text += "\r\n\r\n" + result.error;
    program_.ui.ShowMessage(text, MessageIcon::Error);
    return;
  }
  job.End();
  // A test print without its dialog says where the page went.
  if (toPdfFile && !withDialog)
    program_.ui.ShowMessage(Tevra::tr("PDFファイルに印刷しました:\n%1").arg(device->outputFileName()).toStdString(),
                            MessageIcon::Information);
}


QPrinter* FileCommands::PdfDevice(std::unique_ptr<QtPrinter>& holder) {
  // The page as the metrics measure it, portrait or landscape as it is.
  const PrinterMetrics& m = doc_.metrics.Metrics();
  holder = QtPrinter::ToPdfFile("");
  QPrinter& device = holder->Device();
  device.setResolution(PdfPaper::kDpi);
  device.setCreator(QStringLiteral("TEVRA"));
  device.setDocName(QStringLiteral("TEVRA"));
  device.setPageLayout(QPageLayout(QPageSize(QSizeF(m.paperWidth / 1000.0, m.paperHeight / 1000.0), QPageSize::Inch),
                                   QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  return &device;
}


void FileCommands::ExportImages() {
  if (doc_.store.CardCount() == 0) {
    if (!doc_.loader.OpenLogDialog() || doc_.store.CardCount() == 0) return;
  }
  ProgramSettings& s = program_.settings;
  ImageExport options;
  options.folder = s.imageFolder.empty()
                       ? (QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) + QStringLiteral("/QSL"))
                             .toStdString()
                       : s.imageFolder;
  if (!s.imageFormat.empty()) options.format = s.imageFormat;
  if (s.imageDpi > 0) options.dpi = s.imageDpi;
  if (!s.imageName.empty()) options.namePattern = s.imageName;
  const bool chosen = questions_.imageExportDialog ? questions_.imageExportDialog(options)
                                                   : RunImageExportDialog(options, frame_.Window());
  if (!chosen) return;
  s.imageFolder = options.folder;
  s.imageFormat = options.format;
  s.imageDpi = options.dpi;
  s.imageName = options.namePattern;

  PrintJob job(doc_, PrintKind::Merge);
  if (!job.Prepare()) return;
  job.Begin();
  QProgressDialog progress(Tevra::tr("カード画像を書き出し中..."), Tevra::tr("中止"), 0, job.PageCount(), frame_.Window());
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(500);
  std::vector<std::string> written;
  const PageLoopResult result = ExportCardImages(
      job, doc_, options, job.MinPage(), job.PageCount(),
      [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        QApplication::processEvents();
        return !progress.wasCanceled();
      },
      &written);
  progress.reset();
  if (!result.ok) {
    // Nothing counts as printed: no pictures in the folder, no marks.
    job.Fail();
    program_.ui.ShowMessage(Tevra::tr("カード画像を書き出せませんでした. フォルダは元のままです.\n\n%1")
                                .arg(QString::fromStdString(result.error))
                                .toStdString(),
                            MessageIcon::Error);
    return;
  }
  ui_.SetStatus(Tevra::tr("%1 枚のカード画像を %2 に書き出しました")
                    .arg(written.size())
                    .arg(QString::fromStdString(options.folder))
                    .toStdString());
  job.End();  // the write-back question, as after a print
}


void FileCommands::Preview() {
  PrintJob job(doc_, PrintKind::Preview);
  if (!job.Prepare()) return;
  // Pages are drawn as they are shown, at a resolution that keeps the
  // small print readable when the window is enlarged.
  PagePreview pages(job, doc_, 150);
  // The preview opens at the page of the current card, with as many pages
  // side by side ("PreviewPages") as the user left it.
  PreviewDialog dialog(pages, job.CurrentCardPage(), program_.settings.previewPages, frame_.Window());
  if (questions_.showPreview) questions_.showPreview(dialog);
  else dialog.exec();
  program_.settings.previewPages = dialog.SideBySide();
}

void FileCommands::PrinterSetup() {
  if (!printer_) {
    // Nothing to set up: the cards go to PDF files on the card's own paper.
    program_.ui.ShowMessage(
        QT_TRANSLATE_NOOP("Tevra", "このシステムにはプリンタがありません.\r\n\r\n"
                                   "印刷はカードと同じ大きさの用紙でPDFファイルに出力されます."),
        MessageIcon::Information);
    return;
  }
  QPageSetupDialog dialog(&printer_->Device(), frame_.Window());
  if (dialog.exec() != QDialog::Accepted) return;
  doc_.QueryPrinterMetrics();
}

}  // namespace tevra
