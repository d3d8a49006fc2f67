#include "desktop/arrange_commands.h"

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


bool ArrangeCommands::ArrangeEnabled(int command) const {
  using namespace cmd;
  const LayoutDocument& layout = doc_.layout;
  const bool locked = layout.Settings.IsEditLocked();
  const bool selected = arrange::HasSelection(layout);
  const bool single = layout.Items.IsCurrentSingle();
  switch (command) {
    case kCentreH:
    case kCentreV:
    case kMoveBy: return selected && !locked;
    case kJarlPosition: return arrange::CanPlaceJarl(layout) && !locked;
    case kAlignTop:
    case kAlignMiddle:
    case kAlignBottom:
    case kAlignLeft:
    case kAlignCentre:
    case kAlignRight: return arrange::IsMulti(layout) && !locked;
    case kSpreadH:
    case kSpreadV: return arrange::CanDistribute(layout) && !locked;
    case kScale50:
    case kScale66:
    case kScale75:
    case kScale133:
    case kScale150:
    case kScale200:
    case kScaleAny: return arrange::CanScale(layout) && !locked;
    case kToHead: return arrange::CanMoveToHead(layout) && !locked;
    case kToEnd: return arrange::CanMoveToEnd(layout) && !locked;
    case kGroup: return arrange::CanGroup(layout) && !locked;
    case kUngroup: return arrange::CanUngroup(layout) && !locked;
    case kToString: return arrange::CanConvert(layout, ItemString) && !locked;
    case kToTextBox: return arrange::CanConvert(layout, ItemTextBox) && !locked;
    case kToDataMark: return arrange::CanConvert(layout, ItemDataMark) && !locked;
    case kToBox: return arrange::CanConvert(layout, ItemBox) && !locked;
    case kToRoundBox: return arrange::CanConvert(layout, ItemRoundBox) && !locked;
    case kToEllipse: return arrange::CanConvert(layout, ItemEllipse) && !locked;
    case kNaturalSize:
      return single && layout.Items.Current()->Type() == ItemOleLink &&
             static_cast<const OleLinkItem*>(layout.Items.Current())->Object && !locked;
    default: return false;
  }
}


void ArrangeCommands::Arrange(int command) {
  using namespace cmd;
  LayoutDocument& layout = doc_.layout;
  const PrinterMetrics& m = doc_.metrics.Metrics();
  // The undo step is named as the menu entry (without its keys and mnemonic).
  const CommandInfo* info = FindCommand(command);
  const QString description =
      info ? Tr(info->text).section(QChar('\t'), 0, 0).remove(QChar('&')) : QString();
  frame_.BeginChange();
  bool changed = false;
  switch (command) {
    case kCentreH: changed = arrange::CentreHorizontally(layout, m); break;
    case kCentreV: changed = arrange::CentreVertically(layout, m); break;
    case kJarlPosition: changed = arrange::PlaceJarl(layout, m); break;
    case kAlignTop: changed = arrange::AlignSelection(layout, Align::Top); break;
    case kAlignMiddle: changed = arrange::AlignSelection(layout, Align::Middle); break;
    case kAlignBottom: changed = arrange::AlignSelection(layout, Align::Bottom); break;
    case kAlignLeft: changed = arrange::AlignSelection(layout, Align::Left); break;
    case kAlignCentre: changed = arrange::AlignSelection(layout, Align::Centre); break;
    case kAlignRight: changed = arrange::AlignSelection(layout, Align::Right); break;
    case kSpreadH: changed = arrange::DistributeHorizontally(layout); break;
    case kSpreadV: changed = arrange::DistributeVertically(layout); break;
    case kScale50: changed = arrange::Scale(layout, 1, 2); break;
    case kScale66: changed = arrange::Scale(layout, 2, 3); break;
    case kScale75: changed = arrange::Scale(layout, 3, 4); break;
    case kScale133: changed = arrange::Scale(layout, 4, 3); break;
    case kScale150: changed = arrange::Scale(layout, 3, 2); break;
    case kScale200: changed = arrange::Scale(layout, 2, 1); break;
    case kScaleAny: {
      const QString text = questions_.askPercent ? questions_.askPercent()
                                      : QInputDialog::getText(frame_.Window(), QStringLiteral("TEVRA"),
                                                              Tevra::tr("拡大/縮小の比率(%)を入力して下さい."));
      changed = arrange::ScaleByPercentText(layout, text.toStdString());
      break;
    }
    case kMoveBy: {
      int dx = 0, dy = 0;
      if (questions_.askMove ? questions_.askMove(dx, dy) : RunMoveDialog(frame_.Window(), dx, dy)) changed = arrange::MoveBy(layout, dx, dy);
      break;
    }
    case kToHead: changed = arrange::MoveToHead(layout); break;
    case kToEnd: changed = arrange::MoveToEnd(layout); break;
    case kGroup: changed = arrange::Group(layout); break;
    case kUngroup: changed = arrange::Ungroup(layout); break;
    case kToString: changed = arrange::Convert(layout, ItemString, program_.ui); break;
    case kToTextBox: changed = arrange::Convert(layout, ItemTextBox, program_.ui); break;
    case kToDataMark: changed = arrange::Convert(layout, ItemDataMark, program_.ui); break;
    case kToBox: changed = arrange::Convert(layout, ItemBox, program_.ui); break;
    case kToRoundBox: changed = arrange::Convert(layout, ItemRoundBox, program_.ui); break;
    case kToEllipse: changed = arrange::Convert(layout, ItemEllipse, program_.ui); break;
    case kNaturalSize: {
      auto& item = static_cast<OleLinkItem&>(*layout.Items.Current());
      const QByteArray bytes = QByteArray::fromRawData(item.Object->Bytes.data(),
                                                       static_cast<qsizetype>(item.Object->Bytes.size()));
      const QImage image = QImage::fromData(bytes);
      if (!image.isNull()) {
        const double dpiX = image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() * 0.0254 : 96.0;
        const double dpiY = image.dotsPerMeterY() > 0 ? image.dotsPerMeterY() * 0.0254 : 96.0;
        const LogicalRect before = item.Rect;
        item.Rect.right = item.Rect.left + static_cast<std::int32_t>(image.width() * 1000.0 / dpiX + 0.5);
        item.Rect.bottom = item.Rect.top - static_cast<std::int32_t>(image.height() * 1000.0 / dpiY + 0.5);
        changed = !(item.Rect == before);
      }
      break;
    }
    default: break;
  }
  frame_.EndChange(changed, description);
}

}  // namespace tevra
