#include "desktop/main_frame.h"

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

namespace tevra {
namespace {

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The status pane templates: each pane is as wide as its template.
constexpr std::string_view kPaneTemplates[] = {"", "200%", "X=100.0,Y=999.9(mm)", "ｱｲﾃﾑ 0000", "ﾛｸﾞ 00000件",
                                               "QSL 00000枚"};

// A menu entry of a recent list: "&1 name", the name cut to 30 characters.
QString RecentEntryText(int index, const std::string& path) {
  QString name = QString::fromStdString(path);
  if (name.size() > 30) name = QStringLiteral("...") + name.right(27);
  return QStringLiteral("&%1 %2").arg(index + 1).arg(name);
}

// The buttons of the two tool bars, drawn at 16 × 15 pixels.
QIcon ToolIcon(int id) {
  QPixmap pixmap(16, 15);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(QPen(Qt::black, 1));
  const QRect box(2, 2, 11, 10);
  auto letter = [&p](const QString& text, int size = 9) {
    QFont f = p.font();
    f.setPixelSize(size);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, 16, 15), Qt::AlignCenter, text);
  };
  using namespace cmd;
  switch (id) {
    case kFileNew: p.drawRect(3, 1, 9, 12); break;
    case kFileOpen: p.drawRect(1, 4, 12, 8); p.drawLine(2, 4, 5, 1); p.drawLine(5, 1, 9, 1); break;
    case kFileSave: p.fillRect(2, 1, 12, 12, Qt::darkBlue); p.fillRect(4, 2, 8, 4, Qt::white); break;
    case kEditCut: p.drawEllipse(2, 9, 4, 4); p.drawEllipse(9, 9, 4, 4); p.drawLine(5, 9, 11, 1); p.drawLine(10, 9, 4, 1); break;
    case kEditCopy: p.drawRect(1, 1, 8, 9); p.drawRect(6, 4, 8, 9); break;
    case kEditPaste: p.fillRect(2, 2, 10, 12, QColor(0xC0, 0x90, 0x40)); p.fillRect(6, 5, 8, 9, Qt::white); break;
    case kPrint: p.drawRect(2, 6, 12, 6); p.drawRect(4, 1, 8, 5); letter(QStringLiteral("M"), 7); break;
    case kTestPrint: p.drawRect(2, 6, 12, 6); p.drawRect(4, 1, 8, 5); letter(QStringLiteral("T"), 7); break;
    case kPrintPreview: p.drawRect(2, 1, 9, 12); p.drawEllipse(7, 6, 5, 5); p.drawLine(11, 11, 14, 14); break;
    case kGridToggle:
      for (int i = 2; i <= 14; i += 4) {
        p.drawLine(i, 1, i, 13);
        p.drawLine(1, i - 1, 15, i - 1);
      }
      break;
    case kGridSpacing: p.drawLine(2, 2, 2, 12); p.drawLine(7, 2, 7, 12); p.drawLine(2, 7, 7, 7); letter(QStringLiteral("  ↔"), 8); break;
    case kZoom: p.drawEllipse(2, 2, 8, 8); p.drawLine(9, 9, 14, 14); break;
    case kMergeToggle: letter(QStringLiteral("D")); break;
    case kQsoData: letter(QStringLiteral("Q")); break;
    case kLogList: for (int y = 2; y <= 12; y += 3) p.drawLine(2, y, 13, y); break;
    case kEditFind: p.drawEllipse(1, 1, 8, 8); p.drawLine(8, 8, 13, 13); letter(QStringLiteral("   C"), 7); break;
    case kPrevQso: p.setBrush(Qt::black); p.drawPolygon(QPolygon({QPoint(11, 2), QPoint(4, 7), QPoint(11, 12)})); break;
    case kNextQso: p.setBrush(Qt::black); p.drawPolygon(QPolygon({QPoint(4, 2), QPoint(11, 7), QPoint(4, 12)})); break;
    case kAppAbout: letter(QStringLiteral("?")); break;
    case kContextHelp: p.drawLine(2, 2, 2, 11); p.drawLine(2, 2, 8, 8); letter(QStringLiteral("  ?")); break;
    case kToolSelect: p.setBrush(Qt::black); p.drawPolygon(QPolygon({QPoint(4, 1), QPoint(4, 12), QPoint(7, 9), QPoint(11, 11)})); break;
    case kToolLine: p.drawLine(2, 12, 13, 2); break;
    case kToolBox: p.drawRect(box); break;
    case kToolRoundBox: p.drawRoundedRect(box, 3, 3); break;
    case kToolEllipse: p.drawEllipse(box); break;
    case kToolFill: p.fillRect(box, Qt::darkGray); break;
    case kToolString: letter(QStringLiteral("A"), 11); break;
    case kToolTextBox: p.drawRect(box); letter(QStringLiteral("ab"), 7); break;
    case kToolCheckBox: p.drawRect(box); p.drawLine(4, 7, 7, 10); p.drawLine(7, 10, 12, 3); break;
    case kToolJarl: for (int x = 1; x <= 11; x += 5) p.drawRect(x, 4, 4, 6); break;
    case kToolDataMark: p.drawRect(box); letter(QStringLiteral("%"), 8); break;
    case kToolObject: p.drawRect(box); p.fillRect(4, 4, 4, 4, Qt::red); p.fillRect(8, 7, 4, 4, Qt::blue); break;
    case kColour:
      p.fillRect(1, 1, 7, 6, Qt::red); p.fillRect(8, 1, 7, 6, Qt::green); p.fillRect(1, 8, 14, 6, Qt::blue); break;
    case kLineStyle: p.drawLine(1, 3, 14, 3); p.setPen(QPen(Qt::black, 2)); p.drawLine(1, 7, 14, 7);
      p.setPen(QPen(Qt::black, 1, Qt::DotLine)); p.drawLine(1, 11, 14, 11); break;
    case kFont: letter(QStringLiteral("F"), 12); break;
    default: letter(QStringLiteral("·")); break;
  }
  return QIcon(pixmap);
}

// The items' own clipboard form, under a MIME type of the program's.
const QString kItemsMime = QStringLiteral("application/x-tevra-items");

// One change of the layout: the layout's bytes before and after it.
class LayoutChange : public QUndoCommand {
 public:
  LayoutChange(MainFrame& frame, std::string before, std::string after, const QString& text)
      : QUndoCommand(text), frame_(frame), before_(std::move(before)), after_(std::move(after)) {}
  void undo() override { frame_.RestoreLayout(before_); }
  void redo() override {
    // Pushing the change: it is already done.
    if (first_) {
      first_ = false;
      return;
    }
    frame_.RestoreLayout(after_);
  }

 private:
  MainFrame& frame_;
  std::string before_, after_;
  bool first_ = true;
};

}  // namespace

MainFrame::MainFrame(Program& program, Document& doc, QtUi& ui, QtPrinter* printer)
    : program_(program), doc_(doc), ui_(ui), printer_(printer) {
  ui_.SetParent(this);
  BuildActions();
  BuildMenus();
  BuildToolBars();
  BuildStatusBar();
  view_ = new CardView(CardViewSource{doc_.layout, doc_.metrics.Metrics(), doc_.expander,
                                      program_.settings.dispPrinterRect});
  view_->mouseMoved = [this](LogicalPoint p) {
    mouse_ = p;
    UpdatePanes();
  };
  scroll_ = new QScrollArea;
  scroll_->setWidget(view_);
  scroll_->setBackgroundRole(QPalette::Dark);
  setCentralWidget(scroll_);
  doc_.redraw = [this] { Redraw(); };
  LayoutEditor::Hooks hooks;
  hooks.editLocked = [this] { program_.ui.ShowMessage(kEditLocked, MessageIcon::Warning); };
  hooks.editNewItem = [this](CardItem& item) { return EditNewItem(item); };
  hooks.insertObject = [this](const LogicalRect& r) {
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("ｵﾌﾞｼﾞｪｸﾄの挿入"), QString(),
                                                      QStringLiteral("画像 (*.png *.jpg *.jpeg *.svg)"));
    if (!file.isEmpty()) InsertImages({file}, {r.left, r.top}, &r);
  };
  editor_ = std::make_unique<LayoutEditor>(
      doc_.layout, [this]() -> MacroExpander& { return *doc_.expander; }, program_.settings.makeContItem,
      std::move(hooks));
  view_->SetEditor(editor_.get());
  view_->beginChange = [this] { BeginChange(); };
  view_->endChange = [this](bool changed, const QString& description) { EndChange(changed, description); };
  view_->editItem = [this] { EditCurrentItem(); };
  view_->contextMenu = [this](QPoint at) { ShowContextMenu(at); };
  view_->filesDropped = [this](const QStringList& files, LogicalPoint at) {
    BeginChange();
    EndChange(InsertImages(files, at), QStringLiteral("画像の挿入"));
  };
  connect(&undo_, &QUndoStack::cleanChanged, this, [this](bool clean) { SetModified(!clean); });
  connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] { clipboardChanged_ = true; });
  clipboardWatch_.setSingleShot(true);
  connect(&clipboardWatch_, &QTimer::timeout, this, [this] { WatchClipboard(); });
  clipboardWatch_.start(1000);
  continuousTimer_.setSingleShot(true);
  connect(&continuousTimer_, &QTimer::timeout, this, [this] { ContinuousStep(); });
  // The plug-in's command carries the plug-in's own name.
  Action(cmd::kPlugin)->setVisible(program_.extSrc.Available());
  if (program_.extSrc.Available())
    Action(cmd::kPlugin)->setText(QString::fromStdString(ToUnicode(program_.extSrc.MenuName())));
  setAcceptDrops(true);
  UpdateTitle();
  UpdateRecentMenus();
  UpdateCommands();
  UpdatePanes();
}

MainFrame::~MainFrame() {
  doc_.redraw = nullptr;
  ui_.statusSink = nullptr;
  ui_.SetParent(nullptr);
}

QString MainFrame::IdleText() { return QStringLiteral("レディ"); }

void MainFrame::BuildActions() {
  for (const CommandInfo& c : Commands()) {
    auto* action = new QAction(Utf8(c.text), this);
    const QString tip = Utf8(c.tip);
    action->setStatusTip(tip.section(QChar('\n'), 0, 0));
    action->setToolTip(tip.contains(QChar('\n')) ? tip.section(QChar('\n'), 1) : action->statusTip());
    QList<QKeySequence> keys;
    for (const QString& k : Utf8(c.keys).split(QChar(';'), Qt::SkipEmptyParts))
      keys << QKeySequence::fromString(k, QKeySequence::PortableText);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setCheckable(c.checkable);
    action->setData(c.id);
    const int id = c.id;
    connect(action, &QAction::triggered, this, [this, id] { Run(id); });
    actions_[c.id] = action;
    addAction(action);  // shortcuts work with the menu bar hidden too
  }
}

QAction* MainFrame::Action(int command) const {
  const auto it = actions_.find(command);
  return it == actions_.end() ? nullptr : it->second;
}

QMenu* MainFrame::BuildMenu(const MenuInfo& info) {
  auto* menu = new QMenu(Utf8(info.title), this);
  for (const int entry : info.entries) {
    if (entry == 0) {
      menu->addSeparator();
    } else if (entry < 0) {
      menu->addMenu(BuildMenu(Submenus()[static_cast<std::size_t>(-entry - 1)]));
    } else if (QAction* action = Action(entry)) {
      menu->addAction(action);
    }
  }
  return menu;
}

void MainFrame::BuildMenus() {
  for (const MenuInfo& info : MainMenus()) menuBar()->addMenu(BuildMenu(info));
}

void MainFrame::BuildToolBars() {
  auto build = [this](QToolBar* bar, std::span<const int> buttons) {
    bar->setIconSize(QSize(16, 15));
    for (const int id : buttons) {
      if (id == 0) {
        bar->addSeparator();
        continue;
      }
      QAction* action = Action(id);
      action->setIcon(ToolIcon(id));
      bar->addAction(action);
    }
  };
  mainBar_ = new QToolBar(QStringLiteral("ﾂｰﾙ ﾊﾞｰ"), this);
  mainBar_->setObjectName(QStringLiteral("MainToolBar"));
  build(mainBar_, MainToolBar());
  addToolBar(Qt::TopToolBarArea, mainBar_);
  drawBar_ = new QToolBar(QStringLiteral("描画ｱｲﾃﾑﾂｰﾙﾊﾞｰ"), this);
  drawBar_->setObjectName(QStringLiteral("DrawingToolBar"));
  build(drawBar_, DrawingToolBar());
  addToolBar(Qt::LeftToolBarArea, drawBar_);
  connect(mainBar_, &QToolBar::visibilityChanged, this, [this] { UpdateCommands(); });
  connect(drawBar_, &QToolBar::visibilityChanged, this, [this] { UpdateCommands(); });
}

void MainFrame::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  for (std::size_t i = 0; i < panes_.size(); ++i) {
    auto* label = new QLabel;
    if (i == 0) {
      label->setText(IdleText());
      bar->addWidget(label, 1);
    } else {
      label->setMinimumWidth(label->fontMetrics().horizontalAdvance(Utf8(kPaneTemplates[i])) + 8);
      label->setAlignment(Qt::AlignCenter);
      label->setFrameShape(QFrame::Panel);
      label->setFrameShadow(QFrame::Sunken);
      bar->addPermanentWidget(label);
    }
    panes_[i] = label;
  }
  // Menu and tool tips show in the message pane; status texts of long
  // operations too, repainted at once.
  connect(bar, &QStatusBar::messageChanged, this, [this](const QString& text) {
    panes_[0]->setText(text.isEmpty() ? IdleText() : text);
  });
  ui_.statusSink = [this](const QString& text) {
    panes_[0]->setText(text.isEmpty() ? IdleText() : text);
    panes_[0]->repaint();
  };
}

void MainFrame::UpdatePanes() {
  const LogStore& store = doc_.store;
  const DocumentSettings& s = doc_.layout.Settings;
  const bool tack = s.CardFormCode == FormTackSeal;
  const std::size_t perSheet = tack ? static_cast<std::size_t>(std::max(1, s.TackColumns) * std::max(1, s.TackRows)) : 1;
  panes_[1]->setText(Utf8(ZoomPaneText(view_->Zoom())));
  panes_[2]->setText(Utf8(PositionPaneText(mouse_, s, doc_.metrics.Metrics())));
  panes_[3]->setText(Utf8(ItemsPaneText(doc_.layout.Items.Count())));
  panes_[4]->setText(Utf8(LogPaneText(store.QsoCount())));
  panes_[5]->setText(Utf8(CardsPaneText(store.CurrentCard(), store.CardCount(), perSheet)));
}

void MainFrame::UpdateCommands() {
  using namespace cmd;
  // Everything starts disabled: a command is enabled here once it works.
  for (auto& [id, action] : actions_) action->setEnabled(false);
  auto enable = [this](int id, bool on = true) {
    if (QAction* a = Action(id)) a->setEnabled(on);
  };
  auto check = [this](int id, bool on) {
    if (QAction* a = Action(id)) a->setChecked(on);
  };
  const LogStore& store = doc_.store;
  const bool merging = doc_.context.CardQsos != nullptr;
  for (int id : {kFileNew, kFileOpen, kFileSave, kFileSaveAs, kPrint, kTestPrint, kPrintDirect, kPrintPreview,
                 kPrintSetup, kReloadEntities, kAppExit, kAppAbout, kViewToolBar, kViewDrawBar, kViewStatusBar,
                 kGridToggle, kPrinterMask, kMergeToggle, kOptions})
    enable(id);
  enable(kLogOpen, program_.automation.enableLogFile);
  enable(kPlugin, program_.automation.enableLogFile && program_.extSrc.Available());
  enable(kOdbc, program_.automation.enableLogFile && program_.dbBridge.Available());
  enable(kZoom, view_ && view_->Painted());
  enable(kEditEntities, true);
  const bool docs = !DocumentationPath().isEmpty();
  enable(kHomePage, docs);
  enable(kDownloadWeb, docs);
  enable(kNextQso, store.CardCount() > 0 && store.CurrentCard() + 1 < store.CardCount());
  enable(kPrevQso, store.CurrentCard() > 0);
  enable(kContinuous, merging && store.CardCount() > 1 && doc_.layout.Items.Count() > 0);
  for (int k = 0; k < 4; ++k) {
    enable(kRecentLayout1 + k, static_cast<std::size_t>(k) < program_.settings.recentLayouts.Items().size());
    enable(kRecentLog1 + k, program_.automation.enableLogFile &&
                                static_cast<std::size_t>(k) < program_.settings.load.recentLogs.Items().size());
  }
  check(kViewToolBar, mainBar_ && mainBar_->isVisible());
  check(kViewDrawBar, drawBar_ && drawBar_->isVisible());
  check(kViewStatusBar, statusBar()->isVisible());
  check(kPrinterMask, program_.settings.dispPrinterRect);
  check(kMergeToggle, merging);
  check(kContinuous, continuous_);
  // Editing.
  const LayoutItemList& items = doc_.layout.Items;
  const bool locked = doc_.layout.Settings.IsEditLocked();
  const bool selected = items.Current() != nullptr;
  for (int tool = 0; tool < 12; ++tool) {
    enable(CommandOfTool(tool));
    check(CommandOfTool(tool), tool == editor_->CurrentTool());
  }
  enable(kSelectAll, items.Count() > 0);
  enable(kDelete, selected && !locked);
  enable(kEditCopy, selected && !locked);
  enable(kEditCut, selected && !locked);
  const QMimeData* clip = QApplication::clipboard()->mimeData();
  enable(kEditPaste, !locked && clip &&
                        (clip->hasFormat(kItemsMime) || clip->hasImage() || clip->hasUrls() ||
                         (clip->hasText() && program_.automation.enableLogFile)));
  enable(kEditUndo, undo_.canUndo());
  enable(kEditRedo, undo_.canRedo());
  enable(kEditItem, items.IsCurrentSingle() && !locked);
  enable(kCondition, selected && !locked);
  enable(kColour, !locked);
  enable(kLineStyle, !locked);
  FontRecord probe;
  Colour probeColour = 0;
  enable(kFont, !locked && !(items.IsCurrentSingle() && !items.Current()->GetFont(probe, probeColour)));
  enable(kInsertObject, !locked);
  enable(kNextOverlap, items.NextOverlapping(1) != nullptr);
  enable(kPrevOverlap, items.NextOverlapping(-1) != nullptr);
  for (const CommandInfo& c : Commands())
    if (IsArrangeCommand(c.id)) enable(c.id, ArrangeEnabled(c.id));
  for (int id : {kQslForm, kGridSpacing, kDocumentInfo, kRigAnt, kModeTable, kMacros, kPrintNumber, kPrintMessages})
    enable(id);
  for (int k = 0; k < 10; ++k) enable(kCommonTable1 + k);
  enable(kLogList);
  enable(kQsoData);
  enable(kEditFind, store.QsoCount() > 0);
  enable(kFindNext, store.QsoCount() > 0 && !findText_.empty());
  enable(kFindPrev, store.QsoCount() > 0 && !findText_.empty());
}

void MainFrame::UpdateRecentMenus() {
  const auto& layouts = program_.settings.recentLayouts.Items();
  const auto& logs = program_.settings.load.recentLogs.Items();
  for (int k = 0; k < 4; ++k) {
    QAction* layout = Action(cmd::kRecentLayout1 + k);
    const bool hasLayout = static_cast<std::size_t>(k) < layouts.size();
    layout->setVisible(hasLayout || k == 0);
    layout->setText(hasLayout ? RecentEntryText(k, layouts[static_cast<std::size_t>(k)])
                              : QStringLiteral("最近使ったファイル"));
    QAction* log = Action(cmd::kRecentLog1 + k);
    const bool hasLog = static_cast<std::size_t>(k) < logs.size();
    log->setVisible(hasLog || k == 0);
    log->setText(hasLog ? RecentEntryText(k, logs[static_cast<std::size_t>(k)]) : QStringLiteral("最新のログファイル"));
  }
}

void MainFrame::Redraw() {
  const std::string& log = doc_.loader.LastLogPath();
  ui_.qsoTitle = doc_.LogLoaded()
                     ? QStringLiteral("ＱＳＯデータ - ") + QFileInfo(QString::fromStdString(log)).fileName()
                     : QStringLiteral("ＱＳＯデータ");
  if (view_) {
    view_->ResetScrollSizes();
    view_->update();
  }
  UpdatePanes();
  UpdateCommands();
  UpdateRecentMenus();
}

void MainFrame::SetModified(bool modified) {
  doc_.modified = modified;
  UpdateTitle();
}

void MainFrame::UpdateTitle() {
  QString name = doc_.path.empty() ? QStringLiteral("無題") : QFileInfo(QString::fromStdString(doc_.path)).fileName();
  if (!documentTitle_.isEmpty()) name = documentTitle_;
  setWindowTitle(name + (doc_.modified ? QStringLiteral("*") : QString()) + QStringLiteral(" - TEVRA"));
}

void MainFrame::Run(int command) {
  using namespace cmd;
  if (QAction* a = Action(command); a && !a->isEnabled()) return;
  switch (command) {
    case kFileNew: NewDocument(); break;
    case kFileOpen: OpenDocument(); break;
    case kFileSave: Save(doc_.path.empty()); break;
    case kFileSaveAs: Save(true); break;
    case kLogOpen: doc_.loader.OpenLogDialog(); break;
    case kPlugin: doc_.ConnectPlugin(); break;
    case kOdbc:
      doc_.ConnectOdbc([this](const std::vector<std::string>& tables) -> std::optional<std::string> {
        if (tables.size() == 1) return tables.front();  // nothing to choose
        QStringList names;
        for (const auto& t : tables) names << QString::fromStdString(ToUnicode(t));
        bool ok = false;
        const QString chosen = QInputDialog::getItem(this, QStringLiteral("テーブルの選択"), QStringLiteral("テーブル"),
                                                     names, 0, false, &ok);
        if (!ok) return std::nullopt;
        return FromUnicode(chosen.toStdString());
      });
      break;
    case kPrint: Print(PrintKind::Merge, true); break;
    case kTestPrint: Print(PrintKind::Test, true); break;
    case kPrintDirect: Print(PrintKind::Test, false); break;
    case kPrintPreview: Preview(); break;
    case kPrintSetup: PrinterSetup(); break;
    case kEditEntities: EditEntityFile(); break;
    case kReloadEntities: program_.ReloadEntityTable(); break;
    case kAppExit: close(); break;
    case kAppAbout: ShowAbout(); break;
    case kHomePage:
    case kDownloadWeb: OpenDocumentation(); break;
    case kViewToolBar: mainBar_->setVisible(!mainBar_->isVisible()); break;
    case kViewDrawBar: drawBar_->setVisible(!drawBar_->isVisible()); break;
    case kViewStatusBar: statusBar()->setVisible(!statusBar()->isVisible()); break;
    case kZoom:
      if (view_->Painted()) view_->SetZoom(NextZoom(view_->Zoom()));
      break;
    case kGridToggle: doc_.layout.Settings.ToggleGrid(); break;
    case kPrinterMask: program_.settings.dispPrinterRect = !program_.settings.dispPrinterRect; break;
    case kMergeToggle:
      continuous_ = false;
      doc_.context.CardQsos = doc_.context.CardQsos ? nullptr : doc_.mergeBuffer.data();
      doc_.context.MessageShown = false;
      break;
    case kNextQso: StepCard(1); break;
    case kPrevQso: StepCard(-1); break;
    case kContinuous:
      continuous_ = !continuous_;
      doc_.context.MessageShown = false;
      if (continuous_) continuousTimer_.start(0);
      break;
    case kOptions: ShowOptions(); break;
    case kQslForm:
    case kGridSpacing:
    case kDocumentInfo:
    case kRigAnt:
    case kModeTable:
    case kMacros: DocumentDialog(command); break;
    case kPrintNumber: ShowPrintNumber(); break;
    case kLogList: {
      LogListWindow window(doc_, this);
      window.exec();
      break;
    }
    case kQsoData: EditCardQsos(); break;
    case kPrintMessages: RegisterPrintMessages(program_.ui, program_.settings.messages); break;
    case kSelectAll: editor_->SelectAll(); break;
    case kDelete:
      BeginChange();
      EndChange(editor_->DeleteSelection(), QStringLiteral("削除"));
      break;
    case kEditCopy: Copy(); break;
    case kEditCut:
      Copy();
      BeginChange();
      EndChange(editor_->DeleteSelection(), QStringLiteral("切り取り"));
      break;
    case kEditPaste: Paste(); break;
    case kEditUndo: undo_.undo(); break;
    case kEditRedo: undo_.redo(); break;
    case kEditItem: EditCurrentItem(); break;
    case kCondition: EditCondition(); break;
    case kColour: ChangeColour(); break;
    case kLineStyle: ChangeLineStyle(); break;
    case kFont: ChangeFont(); break;
    case kInsertObject: {
      const LogicalPoint at = VisibleTopLeft();
      const LogicalRect r{at.x, at.y, at.x + 1000, at.y - 1000};
      const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("ｵﾌﾞｼﾞｪｸﾄの作成と貼り付け"), QString(),
                                                        QStringLiteral("画像 (*.png *.jpg *.jpeg *.svg)"));
      if (!file.isEmpty()) {
        BeginChange();
        EndChange(InsertImages({file}, at, &r), QStringLiteral("画像の挿入"));
      }
      break;
    }
    case kNextOverlap:
    case kPrevOverlap:
      if (CardItem* next = doc_.layout.Items.NextOverlapping(command == kNextOverlap ? 1 : -1))
        doc_.layout.Items.SetCurrent(next);
      break;
    case kEditFind:
    case kFindNext:
    case kFindPrev: Find(command); break;
    default:
      if (command >= kCommonTable1 && command < kCommonTable1 + 10) {
        DocumentDialog(command);
        break;
      }
      if (IsArrangeCommand(command)) {
        Arrange(command);
        break;
      }
      if (const int tool = ToolOfCommand(command); tool >= 0) {
        editor_->SetTool(tool);
        break;
      }
      if (command >= kRecentLayout1 && command < kRecentLayout1 + 4) {
        const auto& items = program_.settings.recentLayouts.Items();
        const auto k = static_cast<std::size_t>(command - kRecentLayout1);
        if (k < items.size() && AskToSave()) OpenByName(std::string(items[k]));
      } else if (command >= kRecentLog1 && command < kRecentLog1 + 4) {
        const auto& items = program_.settings.load.recentLogs.Items();
        const auto k = static_cast<std::size_t>(command - kRecentLog1);
        if (k < items.size()) OpenByName(std::string(items[k]));
      }
      break;
  }
  Redraw();
}

bool MainFrame::OpenByName(const std::string& path) {
  const bool layout = !ReaderForNamedFile(path).has_value();
  const bool ok = doc_.OpenByName(path);
  if (ok && layout) {
    doc_.path = path;
    documentTitle_.clear();
    undo_.clear();
    SetModified(false);
  }
  Redraw();
  return ok;
}

bool MainFrame::AskToSave() {
  if (!doc_.modified) return true;
  const QString name = doc_.path.empty() ? QStringLiteral("無題") : QFileInfo(QString::fromStdString(doc_.path)).fileName();
  const std::string text = (name + QStringLiteral(" への変更を保存しますか?")).toStdString();
  const Answer answer = askSaveChanges ? askSaveChanges() : program_.ui.Ask(text, Buttons::YesNoCancel, MessageIcon::Warning);
  if (answer == Answer::Cancel) return false;
  return answer == Answer::No || Save(doc_.path.empty());
}

bool MainFrame::Save(bool askName) {
  std::string path = doc_.path;
  if (askName) {
    const auto chosen = ui_.ChooseFileToSave(
        OpenFileRequest{"名前を付けて保存", "tvd", path, program_.paths.programDirectory, "TEVRA Files (*.tvd)|*.tvd||"});
    if (!chosen) return false;
    path = *chosen;
  }
  ArchiveWriter out;
  SaveDocument(doc_.layout, out);
  if (!ReplaceFileAtomically(path, out.Data())) {
    program_.ui.ShowMessage("ファイルに書き込めませんでした.", MessageIcon::Error);
    return false;
  }
  doc_.path = path;
  program_.settings.recentLayouts.Add(path);
  undo_.setClean();
  SetModified(false);
  return true;
}

void MainFrame::NewDocument() {
  if (!AskToSave()) return;
  StartNewDocument();
}

void MainFrame::StartNewDocument() {
  doc_.DiscardContents();
  doc_.path.clear();
  documentTitle_.clear();
  undo_.clear();
  SetModified(false);
  if (doc_.newDocEvent) doc_.newDocEvent();
  Redraw();
}

void MainFrame::SetDocumentTitle(const QString& title) {
  documentTitle_ = title;
  UpdateTitle();
}

void MainFrame::OpenDocument() {
  if (!AskToSave()) return;
  QDir::setCurrent(QString::fromStdString(program_.paths.programDirectory));
  const auto choice =
      ui_.ChooseFileToOpen(OpenFileRequest{"開く", "tvd", "", "", "TEVRA Files (*.tvd)|*.tvd;*.TVD||"});
  if (choice) OpenByName(choice->path);
}

void MainFrame::StepCard(int delta) {
  LogStore& store = doc_.store;
  const std::size_t current = store.CurrentCard();
  if (delta > 0 && current + 1 >= store.CardCount()) return;
  if (delta < 0 && current == 0) return;
  store.SetCurrentCard(delta > 0 ? current + 1 : current - 1);
  doc_.ReadCurrentCard();
  doc_.context.MessageShown = false;
}

void MainFrame::ContinuousStep() {
  if (!continuous_) return;
  LogStore& store = doc_.store;
  // A merge message shown while drawing, or the last card, ends the run.
  if (doc_.context.MessageShown || store.CurrentCard() + 1 >= store.CardCount()) {
    continuous_ = false;
  } else {
    StepCard(1);
    view_->repaint();
    continuousTimer_.start(0);
  }
  Redraw();
}

void MainFrame::Print(PrintKind kind, bool withDialog) {
  using namespace cmd;
  if (kind == PrintKind::Merge && doc_.store.CardCount() == 0) {
    if (!doc_.loader.OpenLogDialog() || doc_.store.CardCount() == 0) return;
  }
  PrintJob job(doc_, kind);
  job.spoolerPauses = printer_ && printer_->Device().outputFormat() == QPrinter::NativeFormat;
  if (!job.Prepare()) return;
  std::unique_ptr<QtPrinter> pdfOnly;
  QPrinter* device = printer_ ? &printer_->Device() : PdfDevice(pdfOnly);
  PrintChoice choice;
  if (withDialog) {
    const PrintDialogText text = PrintDialogTextFor(kind);
    bool accepted;
    if (printDialog) {
      accepted = printDialog(*device, text, job.MinPage(), job.PageCount(), choice);
    } else {
      QPrintDialog dialog(device, this);
      if (!text.title.empty()) dialog.setWindowTitle(Utf8(text.title));
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
  }
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
    std::string text = "印刷できませんでした.";
    if (!result.error.empty()) text += "\r\n\r\n" + result.error;
    program_.ui.ShowMessage(text, MessageIcon::Error);
    return;
  }
  job.End();
}

QPrinter* MainFrame::PdfDevice(std::unique_ptr<QtPrinter>& holder) {
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

void MainFrame::Preview() {
  std::unique_ptr<QtPrinter> pdfOnly;
  QPrinter* device = printer_ ? &printer_->Device() : PdfDevice(pdfOnly);
  PrintJob job(doc_, PrintKind::Preview);
  if (!job.Prepare()) return;
  // The preview opens at the page of the current card.
  const int firstShown = job.CurrentCardPage();
  QPrintPreviewDialog dialog(device, this);
  dialog.setWindowTitle(QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ"));
  connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this, &job, &dialog, firstShown](QPrinter* printer) {
    RunPageLoop(job, doc_, *printer, printer->resolution(), 1, 0);
    if (auto* widget = dialog.findChild<QPrintPreviewWidget*>())
      QTimer::singleShot(0, widget, [widget, firstShown] { widget->setCurrentPage(firstShown); });
  });
  dialog.exec();
}

void MainFrame::PrinterSetup() {
  if (printer_) {
    QPageSetupDialog dialog(&printer_->Device(), this);
    if (dialog.exec() != QDialog::Accepted) return;
  }
  doc_.metrics.QueryPrinterMetrics(&doc_.placement);
}

void MainFrame::EditEntityFile() {
  const QString path = QString::fromStdString(EntityFilePath(program_.paths.programDirectory));
  // The desktop's handler for text files, else the user's editor.
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return;
  for (const char* variable : {"VISUAL", "EDITOR"}) {
    QStringList words = QProcess::splitCommand(qEnvironmentVariable(variable));
    if (words.isEmpty()) continue;
    const QString program = words.takeFirst();
    if (QProcess::startDetached(program, words << path)) return;
  }
  // An editor that cannot be started is ignored.
}

QString MainFrame::DocumentationPath() const {
  const QString dir = QString::fromStdString(program_.paths.programDirectory);
  // Installed, then beside the program, then the source tree of a build.
  for (const QString& path : {dir + QStringLiteral("../share/doc/tevra/README.md"), dir + QStringLiteral("README.md"),
                              QStringLiteral(TEVRA_SOURCE_DIR "/README.md")})
    if (QFileInfo::exists(path)) return QFileInfo(path).absoluteFilePath();
  return {};
}

void MainFrame::OpenDocumentation() {
  const QString readme = DocumentationPath();
  if (!readme.isEmpty()) QDesktopServices::openUrl(QUrl::fromLocalFile(readme));
}

void MainFrame::ShowOptions() {
  OptionsDialog dialog(program_);
  if (!RunOptionsDialog(dialog, this)) return;
  if (ApplyOptions(dialog, doc_)) SetModified(true);
}

void MainFrame::ShowAbout() {
  AboutBox box(this);
  box.exec();
}

void MainFrame::RestorePlacement() {
  const MainWindowState saved = ReadMainWindow(program_.file);
  QScreen* screen = QGuiApplication::primaryScreen();
  const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const QSize size = screen ? screen->size() : QSize(1024, 768);
  FrameRect r = InitialFrameRect(size.width(), size.height(), saved, available.x() + 40, available.y() + 40);
  // A position saved on a screen that is gone moves onto the primary one.
  const QRect wanted(r.x, r.y, r.width, r.height);
  bool onScreen = false;
  for (QScreen* s : QGuiApplication::screens()) onScreen = onScreen || s->geometry().intersects(wanted);
  if (!onScreen) {
    r.x = available.x();
    r.y = available.y();
  }
  setGeometry(r.x, r.y, std::max(200, r.width), std::max(150, r.height));
  if (saved.zoomed) setWindowState(windowState() | Qt::WindowMaximized);
}

void MainFrame::SavePlacement() {
  if (program_.registrationRemoved) return;
  MainWindowState state;
  state.zoomed = isMaximized();
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    state.screenWidth = screen->size().width();
    state.screenHeight = screen->size().height();
  }
  const QRect restored = isMaximized() ? normalGeometry() : geometry();
  state.rect = WindowPlacement{restored.width(), restored.height(), restored.x(), restored.y()};
  WriteMainWindow(program_.file, state);
}

void MainFrame::OpenExtraWords(const std::vector<std::string>& words) {
  for (const auto& word : words)
    if (!word.empty()) OpenByName(word);
  raise();
  activateWindow();
}

std::string MainFrame::LayoutBytes() {
  ArchiveWriter out;
  SaveDocument(doc_.layout, out);
  return out.Data();
}

void MainFrame::RestoreLayout(const std::string& bytes) {
  LayoutDocument& layout = doc_.layout;
  const int oldForm = layout.Settings.CardFormCode, oldQsos = layout.Settings.QsosPerCard;
  layout.Items.Clear();
  layout.Objects.clear();
  ArchiveReader in(bytes);
  LoadDocument(layout, in, doc_.program.ui, true);
  BindObjects(layout);
  layout.Items.SetCurrent(nullptr);
  ApplyCardForm(oldForm, oldQsos);
  Redraw();
}

void MainFrame::BeginChange() { snapshot_ = LayoutBytes(); }

void MainFrame::EndChange(bool changed, const QString& description) {
  if (changed) {
    std::string after = LayoutBytes();
    if (after != snapshot_) undo_.push(new LayoutChange(*this, std::move(snapshot_), std::move(after), description));
  }
  snapshot_.clear();
  Redraw();
}

bool MainFrame::EditNewItem(CardItem& item) {
  // A new text box starts in the document's current font and gives its
  // font back on OK.
  if (item.Type() == ItemTextBox) static_cast<TextBoxItem&>(item).Font = doc_.layout.Settings.CurrentFont;
  const bool ok = EditItemProperties(item);
  if (ok && item.Type() == ItemTextBox) doc_.layout.Settings.CurrentFont = static_cast<TextBoxItem&>(item).Font;
  return ok;
}

bool MainFrame::EditItemProperties(CardItem& item) {
  if (itemDialogs) return itemDialogs(item);
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
      if (!RunPenDialog(dialog, this)) return false;
      item.SetPen(dialog.width, dialog.style);
      return true;
    }
    case ItemFill: return RunColourDialog(item.Pen.colour, this, QStringLiteral("塗りつぶしの色"));
    case ItemString:
    case ItemTextBox: {
      TextItemDialog dialog(item);
      // Opens again with the values as entered until the text passes the
      // block check or the user cancels.
      while (RunTextItemDialog(dialog, this)) {
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
      return RunDataMarkDialog(dialog, this) && dialog.Accept(static_cast<DataMarkItem&>(item));
    }
    case ItemJarlFrame: {
      JarlFrameDialog dialog(static_cast<JarlFrameItem&>(item));
      if (!RunJarlFrameDialog(dialog, this)) return false;
      dialog.Accept(static_cast<JarlFrameItem&>(item));
      return true;
    }
    case ItemCheckBox: {
      ConditionDialog dialog(item, true);
      return RunConditionDialog(dialog, this) && dialog.Accept(item);
    }
    default: return false;
  }
}

void MainFrame::EditCondition() {
  LayoutItemList& items = doc_.layout.Items;
  CardItem* current = items.Current();
  if (!current) return;
  // A multi-selection: the first member's condition, then copied to all.
  CardItem& first = items.IsCurrentMulti() ? items.Selection().Child(0) : *current;
  ConditionDialog dialog(first, false);
  BeginChange();
  bool changed = false;
  if (conditionDialog ? conditionDialog(dialog) : RunConditionDialog(dialog, this)) {
    changed = dialog.Accept(first);
    if (items.IsCurrentMulti())
      for (std::size_t i = 0; i < items.Selection().Count(); ++i) items.Selection().Child(i).Condition = first.Condition;
  }
  doc_.context.MessageShown = false;
  EndChange(changed, QStringLiteral("描画条件"));
}

void MainFrame::ChangeColour() {
  LayoutDocument& layout = doc_.layout;
  CardItem* current = layout.Items.Current();
  Colour colour = current ? current->GetColour() : layout.Settings.CurrentPen.colour;
  if (!RunColourDialog(colour, this, QStringLiteral("色の変更"))) return;
  BeginChange();
  if (current) current->SetColour(colour);
  else layout.Settings.CurrentPen.colour = colour;
  EndChange(current != nullptr, QStringLiteral("色の変更"));
}

void MainFrame::ChangeLineStyle() {
  LayoutDocument& layout = doc_.layout;
  CardItem* current = layout.Items.Current();
  std::int32_t width = layout.Settings.CurrentPen.widthX, style = layout.Settings.CurrentPen.style;
  if (current) current->GetPen(width, style);
  PenDialog dialog(width, style);
  if (!RunPenDialog(dialog, this)) return;
  BeginChange();
  if (current) {
    current->SetPen(dialog.width, dialog.style);
  } else {
    layout.Settings.CurrentPen.widthX = layout.Settings.CurrentPen.widthY = dialog.width;
    layout.Settings.CurrentPen.style = dialog.style;
  }
  EndChange(current != nullptr, QStringLiteral("線の種類"));
}

void MainFrame::ChangeFont() {
  LayoutDocument& layout = doc_.layout;
  CardItem* current = layout.Items.Current();
  FontRecord font = layout.Settings.CurrentFont;
  Colour colour = 0;
  if (current && !current->GetFont(font, colour) && layout.Items.IsCurrentSingle()) return;
  if (!RunFontDialog(font, colour, this)) return;
  BeginChange();
  const bool changed = current && current->SetFont(font, colour);
  if (!current) layout.Settings.CurrentFont = font;
  EndChange(changed, QStringLiteral("フォントの変更"));
}

void MainFrame::EditCurrentItem() {
  LayoutItemList& items = doc_.layout.Items;
  if (!items.IsCurrentSingle()) return;
  if (doc_.layout.Settings.IsEditLocked()) {
    program_.ui.ShowMessage(kEditLocked, MessageIcon::Warning);
    return;
  }
  BeginChange();
  CardItem& item = *items.Current();
  const bool changed = EditItemProperties(item);
  doc_.context.MessageShown = false;
  EndChange(changed, QStringLiteral("編集"));
}

void MainFrame::Copy() {
  if (!doc_.layout.Items.Current()) return;
  const std::string block = CopySelection(doc_.layout);
  auto* data = new QMimeData;
  data->setData(kItemsMime, QByteArray(block.data(), static_cast<qsizetype>(block.size())));
  QApplication::clipboard()->setMimeData(data);
}

void MainFrame::Paste() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  if (!data || doc_.layout.Settings.IsEditLocked()) return;
  BeginChange();
  bool changed = false;
  if (data->hasFormat(kItemsMime)) {
    const QByteArray block = data->data(kItemsMime);
    changed = PasteNative(doc_.layout, std::string_view(block.constData(), static_cast<std::size_t>(block.size())));
  } else if (data->hasUrls()) {
    QStringList files;
    for (const QUrl& url : data->urls())
      if (url.isLocalFile()) files << url.toLocalFile();
    changed = InsertImages(files, VisibleTopLeft());
  } else if (data->hasImage()) {
    // An image itself: kept as a PNG file.
    const QImage image = qvariant_cast<QImage>(data->imageData());
    const QString path = QDir::temp().filePath(QStringLiteral("tevra-paste.png"));
    changed = image.save(path, "PNG") && InsertImages({path}, VisibleTopLeft());
    QFile::remove(path);
  } else if (data->hasText()) {
    HandOver(FromUnicode(data->text().toStdString()), true);  // log data, not a layout change
  }
  EndChange(changed, QStringLiteral("貼り付け"));
}

LogicalPoint MainFrame::VisibleTopLeft() const {
  const QPoint corner = view_->mapFrom(scroll_->viewport(), QPoint(0, 0));
  return view_->ToLogical(corner);
}

bool MainFrame::InsertImages(const QStringList& files, LogicalPoint at, const LogicalRect* rect) {
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
    object.Rect = rect ? *rect : LogicalRect{at.x, at.y, at.x + w, at.y - h};
    auto item = std::make_unique<OleLinkItem>();
    item->Rect = object.Rect;
    item->Pen = layout.Settings.CurrentPen;
    RefreshObjectIndexes(layout);
    item->ObjectIndex = static_cast<std::int32_t>(layout.Objects.size());
    layout.Objects.push_back(std::move(object));
    layout.Items.Add(std::move(item));
    BindObjects(layout);
    // The next file goes beside the first.
    at.x += w;
    any = true;
  }
  return any;
}

void MainFrame::Find(int command) {
  using namespace cmd;
  LogStore& store = doc_.store;
  if (store.QsoCount() == 0) return;
  long card = -1;
  bool backward = false;
  if (command == kEditFind) {
    bool ok = false;
    const QString text = askCallSign ? askCallSign()
                                     : QInputDialog::getText(this, QStringLiteral("コールサインの検索"),
                                                             QStringLiteral("コールサイン"), QLineEdit::Normal,
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

bool MainFrame::ArrangeEnabled(int command) const {
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

void MainFrame::Arrange(int command) {
  using namespace cmd;
  LayoutDocument& layout = doc_.layout;
  const PrinterMetrics& m = doc_.metrics.Metrics();
  const QString description = Action(command)->text().section(QChar('\t'), 0, 0).remove(QChar('&'));
  BeginChange();
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
      const QString text = askPercent ? askPercent()
                                      : QInputDialog::getText(this, QStringLiteral("TEVRA"),
                                                              QStringLiteral("拡大/縮小の比率(%)を入力して下さい."));
      changed = arrange::ScaleByPercentText(layout, text.toStdString());
      break;
    }
    case kMoveBy: {
      int dx = 0, dy = 0;
      if (askMove ? askMove(dx, dy) : RunMoveDialog(this, dx, dy)) changed = arrange::MoveBy(layout, dx, dy);
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
  EndChange(changed, description);
}

void MainFrame::ApplyCardForm(int oldForm, int oldQsosPerCard) {
  const DocumentSettings& s = doc_.layout.Settings;
  if (s.CardFormCode != oldForm) {
    const FormPaper paper = PaperOfForm(s.CardFormCode);
    doc_.metrics.SelectCardPaper(paper.paperSize, paper.orientation, &doc_.placement);
  }
  if (s.QsosPerCard != oldQsosPerCard || s.CardFormCode != oldForm) {
    doc_.SetQsosPerCard(s.QsosPerCard);
    doc_.store.Regroup();
    doc_.ReadCurrentCard();
  }
}

void MainFrame::DocumentDialog(int command) {
  using namespace cmd;
  LayoutDocument& layout = doc_.layout;
  DocumentSettings& settings = layout.Settings;
  const QString description = Action(command)->text().section(QChar('\t'), 0, 0).remove(QChar('&'));
  const int oldForm = settings.CardFormCode, oldQsos = settings.QsosPerCard;
  BeginChange();
  bool changed = false;
  {
    switch (command) {
      case kQslForm: {
        QslFormDialog form(settings);
        TackSealDialog tack(settings);
        if (!RunQslFormDialog(form, tack, this)) break;
        const DialogResult t = tack.Accept(settings);
        const DialogResult f = form.Accept(settings);
        changed = (t.accepted && t.modified) || (f.accepted && f.modified);
        break;
      }
      case kGridSpacing: {
        GridDialog grid(settings);
        changed = RunGridDialog(grid, this) && grid.Accept(settings).accepted;
        break;
      }
      case kDocumentInfo: {
        DocumentInfoDialog info(settings);
        changed = RunDocumentInfoDialog(info, this) && info.Accept(settings).modified;
        break;
      }
      case kRigAnt: {
        RigAntDialog rigAnt(settings, LayoutRigAntReader(program_.ui));
        changed = RunRigAntDialog(rigAnt, program_.ui, this) && rigAnt.Accept(settings).modified;
        if (changed && doc_.rigAntEvent) doc_.rigAntEvent();
        break;
      }
      case kModeTable: {
        TableDialog table = TableDialog::ForModes(layout.Tables.Modes);
        if (RunTableDialog(table, program_.ui, program_.paths.programDirectory, this)) {
          layout.Tables.Modes = table.ToModeTable();
          changed = true;
        }
        break;
      }
      case kMacros: {
        MacroDialog macros(layout.Tables.Macros, ReadMacroFile);
        if (RunMacroDialog(macros, program_.ui, this)) {
          macros.Accept(layout.Tables.Macros, doc_.context);
          changed = true;
        }
        break;
      }
      default: {
        const auto n = static_cast<std::size_t>(command - kCommonTable1);
        TableDialog table = TableDialog::ForConditions(layout.Tables.Common[n]);
        if (RunTableDialog(table, program_.ui, program_.paths.programDirectory, this)) {
          layout.Tables.Common[n] = table.ToConditionTable();
          changed = true;
        }
        break;
      }
    }
  }
  doc_.context.MessageShown = false;
  ApplyCardForm(oldForm, oldQsos);
  EndChange(changed, description);
}

void MainFrame::EditCardQsos() {
  LogStore& store = doc_.store;
  std::size_t q = 0;  // the QSO on the card
  for (;;) {
    const bool log = doc_.LogLoaded() && store.CardCount() > 0;
    const std::size_t onCard = log ? std::max<std::size_t>(1, store.CurrentCardQsoCount()) : 1;
    QsoEditNavigation navigation;
    navigation.previousEnabled = log && (store.CurrentCard() > 0 || q > 0);
    navigation.nextEnabled = log && (store.CurrentCard() + 1 < store.CardCount() || q + 1 < onCard);
    QsoEditDialog dialog(doc_.mergeBuffer[q]);
    switch (RunQsoEditView(dialog, ui_.qsoTitle, &navigation, this)) {
      case QsoEditResult::Ok:
        // The card being drawn changes; the log does not.
        dialog.Accept(doc_.mergeBuffer[q]);
        doc_.context.MessageShown = false;
        return;
      case QsoEditResult::Cancel: return;
      case QsoEditResult::List:
        Run(log ? cmd::kLogList : cmd::kLogOpen);
        return;
      case QsoEditResult::Previous:
        if (q > 0) {
          --q;
        } else {
          StepCard(-1);
          q = std::max<std::size_t>(1, store.CurrentCardQsoCount()) - 1;
        }
        break;
      case QsoEditResult::Next:
        if (q + 1 < onCard) {
          ++q;
        } else {
          StepCard(1);
          q = 0;
        }
        break;
    }
    Redraw();
  }
}

void MainFrame::ShowPrintNumber() {
  ProgramSettings& s = program_.settings;
  PrintNumberDialog dialog(s.printNo, s.printNoStart, s.printNoAuto);
  QDialog box(this);
  box.setWindowTitle(QString::fromUtf8(PrintNumberDialog::kTitle.data(), static_cast<qsizetype>(PrintNumberDialog::kTitle.size())));
  auto* form = new QFormLayout(&box);
  form->addRow(QStringLiteral("起動時の印刷番号"), new QLabel(QString::number(dialog.StartNumber())));
  form->addRow(QStringLiteral("現在の印刷番号"), new QLabel(QString::number(dialog.CurrentNumber())));
  auto* number = new QLineEdit(QString::fromStdString(dialog.newNumber));
  form->addRow(QStringLiteral("新しい印刷番号"), number);
  auto* revert = new QPushButton(QStringLiteral("戻す"));
  revert->setEnabled(dialog.RevertEnabled());
  connect(number, &QLineEdit::textChanged, &box, [&](const QString& text) {
    dialog.newNumber = text.toStdString();
    revert->setEnabled(dialog.RevertEnabled());
  });
  connect(revert, &QPushButton::clicked, &box, [&] {
    dialog.newNumber = number->text().toStdString();
    dialog.Revert();
    number->setText(QString::fromStdString(dialog.newNumber));
  });
  auto* automatic = new QCheckBox(QStringLiteral("ログ読み込み時に自動計算"));
  automatic->setChecked(dialog.autoCalc);
  form->addRow(revert);
  form->addRow(automatic);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  form->addRow(buttons);
  if (box.exec() != QDialog::Accepted) return;
  dialog.newNumber = number->text().toStdString();
  dialog.autoCalc = automatic->isChecked();
  ApplyPrintNumber(dialog, doc_, s.printNoAuto);
}

bool MainFrame::HandOver(const std::string& text, bool pasted) {
  if (handOver) return handOver(text);
  const std::optional<HandOverHeader> header = ReadHandOverHeader(text);
  if (!header && !pasted) return false;  // no hand-over on the clipboard
  if (!program_.automation.enableLogFile) {
    program_.ui.ShowMessage(msg::kLogLoadingForbidden, MessageIcon::Warning);
    return true;
  }
  if (header && header->marker != '$') {
    char question[512];
    std::snprintf(question, sizeof question, "[ %s ] からログデータが引き渡されています.\r\nこのデータを読み込みますか？",
                  ToUnicode(header->application).c_str());
    if (program_.ui.Ask(question, Buttons::YesNo, MessageIcon::Question) != Answer::Yes) return true;
  }
  const bool read = doc_.loader.ReadHandOver(text);
  if (read && header) QApplication::clipboard()->setText(QString());  // taken: the clipboard is emptied
  Redraw();
  return true;
}

void MainFrame::WatchClipboard() {
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
      Redraw();
      return;  // a hand-over was found: the watch ends
    }
  }
  if (program_.settings.clipCheck) clipboardWatch_.start(5000);
}

void MainFrame::ShowContextMenu(QPoint at) {
  using namespace cmd;
  if (doc_.layout.Settings.IsEditLocked()) {
    program_.ui.ShowMessage(kEditLocked, MessageIcon::Warning);
    return;
  }
  UpdateCommands();
  QMenu menu(this);
  for (int id : {kDelete, kEditCut, kEditCopy, kEditPaste, kEditItem, kCondition}) menu.addAction(Action(id));
  // "変換" for a single box, string, data mark, ellipse, text box or round
  // box; "配置" with a selection; "サイズ" when the selection can scale.
  const LayoutItemList& items = doc_.layout.Items;
  const ItemType type = items.IsCurrentSingle() ? items.Current()->Type() : ItemSelection;
  const bool convertible = type == ItemBox || type == ItemString || type == ItemDataMark || type == ItemEllipse ||
                           type == ItemTextBox || type == ItemRoundBox;
  const std::pair<int, bool> subs[] = {{2, convertible}, {0, items.Current() != nullptr}, {1, items.CurrentIsScalable()}};
  for (const auto& [sub, enabled] : subs) {
    QMenu* submenu = BuildMenu(Submenus()[static_cast<std::size_t>(sub)]);
    submenu->setParent(&menu, submenu->windowFlags());
    submenu->setEnabled(enabled);
    menu.addMenu(submenu);
  }
  for (int id : {kToHead, kToEnd, kNextOverlap, kPrevOverlap, kGroup, kUngroup}) menu.addAction(Action(id));
  menu.addSeparator();
  menu.addAction(QStringLiteral("キャンセル"));  // closes the menu
  menu.exec(at);
}

void MainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainFrame::dropEvent(QDropEvent* event) {
  // Dropped files open as the command line's do: layouts and logs by name;
  // a layout replaces the document only after the save question.
  for (const QUrl& url : event->mimeData()->urls()) {
    if (!url.isLocalFile()) continue;
    const std::string path = url.toLocalFile().toStdString();
    if (!ReaderForNamedFile(path) && !AskToSave()) continue;
    OpenByName(path);
  }
  event->acceptProposedAction();
}

void MainFrame::closeEvent(QCloseEvent* event) {
  // An automation client may keep the program from closing.
  if (program_.automation.disableExit == 1) {
    event->ignore();
    return;
  }
  // First the printed QSOs (Cancel keeps the window), then the layout.
  if (!doc_.writeBack.Settle(true) || !AskToSave()) {
    event->ignore();
    return;
  }
  if (program_.automation.disableExit == 2 || program_.automation.disableExit == 3) {
    hide();
    event->ignore();
    return;
  }
  continuous_ = false;
  SavePlacement();
  event->accept();
}

}  // namespace tevra
