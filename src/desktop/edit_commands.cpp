#include "desktop/edit_commands.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QImageReader>
#include <QInputDialog>
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
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
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
#include "card/render_card.h"
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

namespace tevra {

EditCommands::EditCommands(Program& program, Document& doc, FrameContext& frame, FrameQuestions& questions)
    : program_(program), doc_(doc), frame_(frame), questions_(questions) {
  QObject::connect(QApplication::clipboard(), &QClipboard::dataChanged, frame_.Window(),
                   [this] { clipboardChanged_ = true; });
  clipboardWatch_.setSingleShot(true);
  QObject::connect(&clipboardWatch_, &QTimer::timeout, frame_.Window(), [this] { WatchClipboard(); });
  clipboardWatch_.start(1000);
}


bool EditCommands::EditNewItem(CardItem& item) {
  // A new text box starts in the document's current font and gives its
  // font back on OK.
  if (item.Type() == ItemTextBox) static_cast<TextBoxItem&>(item).Font = doc_.layout.Settings.CurrentFont;
  const bool ok = EditItemProperties(item);
  if (ok && item.Type() == ItemTextBox) doc_.layout.Settings.CurrentFont = static_cast<TextBoxItem&>(item).Font;
  return ok;
}


bool EditCommands::EditItemProperties(CardItem& item) {
  if (questions_.itemDialogs) return questions_.itemDialogs(item);
  switch (item.Type()) {
    case ItemLine:
    case ItemBox:
    case ItemRoundBox:
    case ItemEllipse:
    case ItemOleLink:
    case ItemGroupType: {
      std::int32_t width = 0, style = 0;
      item.GetPen(width, style);
      PenDialog dialog(width, style);
      if (!RunPenDialog(dialog, frame_.Window())) return false;
      item.SetPen(dialog.width, dialog.style);
      return true;
    }
    case ItemFill: return RunColourDialog(item.Pen.colour, frame_.Window(), Tevra::tr("塗りつぶしの色"));
    case ItemString:
    case ItemTextBox: {
      TextItemDialog dialog(item);
      // Opens again with the values as entered until the text passes the
      // block check or the user cancels.
      while (RunTextItemDialog(dialog, frame_.Window())) {
        switch (dialog.Accept(item, [this](std::string_view text) { return doc_.expander->CheckConditionalText(text); })) {
          case TextItemDialog::Result::Unchanged: return false;
          case TextItemDialog::Result::Stored: return true;
          case TextItemDialog::Result::CheckFailed: break;
        }
      }
      return false;
    }
    case ItemDataMark: {
      DataMarkDialog dialog(static_cast<DataMarkItem&>(item), doc_.layout.Settings.QsosPerCard);
      return RunDataMarkDialog(dialog, frame_.Window()) && dialog.Accept(static_cast<DataMarkItem&>(item));
    }
    case ItemJarlFrame: {
      JarlFrameDialog dialog(static_cast<JarlFrameItem&>(item));
      if (!RunJarlFrameDialog(dialog, frame_.Window())) return false;
      dialog.Accept(static_cast<JarlFrameItem&>(item));
      return true;
    }
    case ItemCheckBox: {
      ConditionDialog dialog(item, true);
      return RunConditionDialog(dialog, frame_.Window()) && dialog.Accept(item);
    }
    default: return false;
  }
}


void EditCommands::EditCondition() {
  LayoutItemList& items = doc_.layout.Items;
  CardItem* current = items.Current();
  if (!current) return;
  // A multi-selection: the first member's condition, then copied to all.
  CardItem& first = items.IsCurrentMulti() ? items.Selection().Child(0) : *current;
  ConditionDialog dialog(first, false);
  frame_.BeginChange();
  bool changed = false;
  if (questions_.conditionDialog ? questions_.conditionDialog(dialog) : RunConditionDialog(dialog, frame_.Window())) {
    changed = dialog.Accept(first);
    if (items.IsCurrentMulti())
      for (std::size_t i = 0; i < items.Selection().Count(); ++i) items.Selection().Child(i).Condition = first.Condition;
  }
  doc_.context.MessageShown = false;
  frame_.EndChange(changed, Tevra::tr("描画条件"));
}


void EditCommands::ChangeColour() {
  LayoutDocument& layout = doc_.layout;
  CardItem* current = layout.Items.Current();
  Colour colour = current ? current->GetColour() : layout.Settings.CurrentPen.colour;
  if (!RunColourDialog(colour, frame_.Window(), Tevra::tr("色の変更"))) return;
  frame_.BeginChange();
  if (current) current->SetColour(colour);
  else layout.Settings.CurrentPen.colour = colour;
  frame_.EndChange(current != nullptr, Tevra::tr("色の変更"));
}


void EditCommands::ChangeLineStyle() {
  LayoutDocument& layout = doc_.layout;
  CardItem* current = layout.Items.Current();
  std::int32_t width = layout.Settings.CurrentPen.widthX, style = layout.Settings.CurrentPen.style;
  if (current) current->GetPen(width, style);
  PenDialog dialog(width, style);
  if (!RunPenDialog(dialog, frame_.Window())) return;
  frame_.BeginChange();
  if (current) {
    current->SetPen(dialog.width, dialog.style);
  } else {
    layout.Settings.CurrentPen.widthX = layout.Settings.CurrentPen.widthY = dialog.width;
    layout.Settings.CurrentPen.style = dialog.style;
  }
  frame_.EndChange(current != nullptr, Tevra::tr("線の種類"));
}


void EditCommands::ChangeFont() {
  LayoutDocument& layout = doc_.layout;
  CardItem* current = layout.Items.Current();
  FontRecord font = layout.Settings.CurrentFont;
  Colour colour = 0;
  if (current && !current->GetFont(font, colour) && layout.Items.IsCurrentSingle()) return;
  if (!RunFontDialog(font, colour, frame_.Window())) return;
  frame_.BeginChange();
  const bool changed = current && current->SetFont(font, colour);
  if (!current) layout.Settings.CurrentFont = font;
  frame_.EndChange(changed, Tevra::tr("フォントの変更"));
}


void EditCommands::EditCurrentItem() {
  LayoutItemList& items = doc_.layout.Items;
  if (!items.IsCurrentSingle()) return;
  if (doc_.layout.Settings.IsEditLocked()) {
    program_.ui.ShowMessage(kEditLocked, MessageIcon::Warning);
    return;
  }
  frame_.BeginChange();
  CardItem& item = *items.Current();
  const bool changed = EditItemProperties(item);
  doc_.context.MessageShown = false;
  frame_.EndChange(changed, Tevra::tr("編集"));
}


void EditCommands::Copy() {
  CardItem* current = doc_.layout.Items.Current();
  if (!current) return;
  // An image alone: as an item of the program's, or the picture itself for
  // other programs.
  if (current->Type() == ItemOleLink) {
    const auto* object = static_cast<const OleLinkItem*>(current)->Object;
    if (object && program_.ui.Ask(msg::kCopyImageAsItem33012, Buttons::YesNo, MessageIcon::Question) == Answer::No) {
      auto* data = new QMimeData;
      const QByteArray bytes(object->Bytes.data(), static_cast<qsizetype>(object->Bytes.size()));
      const QString format = QString::fromStdString(object->Format).toLower();
      data->setData(format == QStringLiteral("svg") ? QStringLiteral("image/svg+xml") : QStringLiteral("image/") + format,
                    bytes);
      QImage image;
      if (image.loadFromData(bytes)) data->setImageData(image);
      QApplication::clipboard()->setMimeData(data);
      return;
    }
  }
  const std::string block = CopySelection(doc_.layout);
  auto* data = new QMimeData;
  data->setData(kItemsMime, QByteArray(block.data(), static_cast<qsizetype>(block.size())));
  QApplication::clipboard()->setMimeData(data);
}


void EditCommands::Paste() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  if (!data || doc_.layout.Settings.IsEditLocked()) return;
  frame_.BeginChange();
  bool changed = false;
  if (data->hasFormat(kItemsMime)) {
    const QByteArray block = data->data(kItemsMime);
    const std::size_t before = doc_.layout.Items.Count();
    changed = PasteNative(doc_.layout, std::string_view(block.constData(), static_cast<std::size_t>(block.size())));
    if (changed) arrange::OffsetPastedCopies(doc_.layout, before);
  } else if (data->hasUrls()) {
    QStringList files;
    for (const QUrl& url : data->urls())
      if (url.isLocalFile()) files << url.toLocalFile();
    changed = InsertImages(files, frame_.PointerOnView());
  } else if (data->hasImage()) {
    // An image itself: kept as a PNG file.
    const QImage image = qvariant_cast<QImage>(data->imageData());
    const QString path = QDir::temp().filePath(QStringLiteral("tevra-paste.png"));
    changed = image.save(path, "PNG") && InsertImages({path}, frame_.PointerOnView());
    QFile::remove(path);
  } else if (data->hasText()) {
    HandOver(FromUnicode(data->text().toStdString()), true);  // log data, not a layout change
  }
  frame_.EndChange(changed, Tevra::tr("貼り付け"));
}


bool EditCommands::InsertImages(const QStringList& files, std::optional<LogicalPoint> at, const LogicalRect* rect) {
  LayoutDocument& layout = doc_.layout;
  bool any = false;
  for (const QString& file : files) {
    QImageReader reader(file);
    const QByteArray format = reader.format().toUpper();
    const QSize size = reader.size();
    QFile in(file);
    if (!reader.canRead() || !size.isValid() || !in.open(QIODevice::ReadOnly) ||
        in.size() > static_cast<qint64>(kDocumentFileMax)) {
      program_.ui.ShowMessage(msg::kObjectCreationFailed102, MessageIcon::Warning);
      continue;
    }
    EmbeddedObject object;
    object.Format = format == "JPG" ? "JPEG" : format.toStdString();
    object.SourceName = file.toStdString();
    const QByteArray bytes = in.readAll();
    object.Bytes.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    // The natural size: pixels at the image's own resolution (96 dpi when
    // it gives none).
    const QImage probe = QImageReader(file).read();
    const double dpiX = probe.dotsPerMeterX() > 0 ? probe.dotsPerMeterX() * 0.0254 : 96.0;
    const double dpiY = probe.dotsPerMeterY() > 0 ? probe.dotsPerMeterY() * 0.0254 : 96.0;
    const auto w = static_cast<std::int32_t>(size.width() * 1000.0 / dpiX + 0.5);
    const auto h = static_cast<std::int32_t>(size.height() * 1000.0 / dpiY + 0.5);
    const LogicalPoint card = GridExtent(layout.Settings, doc_.metrics.Metrics());
    object.Rect = rect ? *rect : arrange::PlaceInsertedImage(w, h, LogicalRect{0, 0, card.x, -card.y}, frame_.VisibleArea(), at);
    const LogicalRect placed = object.Rect;
    auto item = std::make_unique<OleLinkItem>();
    item->Rect = object.Rect;
    item->Pen = layout.Settings.CurrentPen;
    RefreshObjectIndexes(layout);
    item->ObjectIndex = static_cast<std::int32_t>(layout.Objects.size());
    layout.Objects.push_back(std::move(object));
    layout.Items.Add(std::move(item));
    BindObjects(layout);
    // The next file goes beside the first.
    at = LogicalPoint{placed.right, placed.top};
    any = true;
  }
  return any;
}


void EditCommands::Find(int command) {
  using namespace cmd;
  LogStore& store = doc_.store;
  if (store.QsoCount() == 0) return;
  long card = -1;
  bool backward = false;
  if (command == kEditFind) {
    bool ok = false;
    const QString text = questions_.askCallSign ? questions_.askCallSign()
                                     : QInputDialog::getText(frame_.Window(), Tevra::tr("コールサインの検索"),
                                                             Tevra::tr("コールサイン"), QLineEdit::Normal,
                                                             QString::fromStdString(ToUnicode(findText_)), &ok);
    if (text.isEmpty()) return;
    findText_ = FromUnicode(text.toStdString());
  } else {
    if (findText_.empty()) return;
    card = static_cast<long>(store.CurrentCard());
    backward = command == kFindPrev;
  }
  const long found = FindCall(store, doc_.program.ui, findText_, card, backward);
  if (found < 0) return;
  store.SetCurrentCard(static_cast<std::size_t>(found));
  doc_.ReadCurrentCard();
  doc_.context.MessageShown = false;
}


bool EditCommands::HandOver(const std::string& text, bool pasted) {
  if (questions_.handOver) return questions_.handOver(text);
  const std::optional<HandOverHeader> header = ReadHandOverHeader(text);
  if (!header && !pasted) return false;  // no hand-over on the clipboard
  if (!program_.automation.enableLogFile) {
    program_.ui.ShowMessage(msg::kLogLoadingForbidden, MessageIcon::Warning);
    return true;
  }
  if (header && header->marker != '$') {
    char question[512];
    std::snprintf(question, sizeof question, QT_TRANSLATE_NOOP("Tevra", "[ %s ] からログデータが引き渡されています.\r\nこのデータを読み込みますか？"),
                  ToUnicode(header->application).c_str());
    if (program_.ui.Ask(question, Buttons::YesNo, MessageIcon::Question) != Answer::Yes) return true;
  }
  const bool read = doc_.loader.ReadHandOver(text);
  if (read && header) QApplication::clipboard()->setText(QString());  // taken: the clipboard is emptied
  frame_.Redraw();
  return true;
}


void EditCommands::WatchClipboard() {
  if (!program_.automation.enableLogFile) return;  // stopped for good
  // Only a clipboard that changed since the last look is looked at, and
  // only one that begins as a hand-over is converted (it may be large).
  if (clipboardChanged_) {
    clipboardChanged_ = false;
    const QString text = QApplication::clipboard()->text();
    const QStringView head = QStringView(text).left(15);
    const bool marker = head.size() == 15 && QStringView(u"$#%").contains(head.front()) &&
                        head.mid(1) == QLatin1String("TEVRA_CSV_TEXT");
    if (marker && HandOver(FromUnicode(text.toStdString()), false)) {
      frame_.Redraw();
      return;  // a hand-over was found: the watch ends
    }
  }
  if (program_.settings.clipCheck) clipboardWatch_.start(5000);
}

}  // namespace tevra
