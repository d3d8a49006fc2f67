#include "desktop/main_frame.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QCloseEvent>
#include <QFile>
#include <QImageReader>
#include <QInputDialog>
#include <QMenu>
#include <QMouseEvent>
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
#include <QScrollBar>
#include <QStatusBar>
#include <QUrl>
#include <filesystem>

#include "program/commands.h"
#include "desktop/frame_dialogs.h"
#include "desktop/help_window.h"
#include "desktop/properties_panel.h"
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
namespace {

// A menu entry of a recent list: "&1 name", the name cut to 30 characters.
QString RecentEntryText(int index, const std::string& path) {
  QString name = QString::fromStdString(path);
  if (name.size() > 30) name = QStringLiteral("...") + name.right(27);
  return QStringLiteral("&%1 %2").arg(index + 1).arg(name);
}


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
    : program_(program),
      doc_(doc),
      ui_(ui),
      printer_(printer),
      files_(program, doc, ui, printer, *this, *this),
      edit_(program, doc, *this, *this),
      arrange_(program, doc, *this, *this),
      documents_(program, doc, ui, *this) {
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
  view_->firstPainted = [this] { UpdateCommands(); };
  scroll_ = new QScrollArea;
  scroll_->setWidget(view_);
  scroll_->setAlignment(Qt::AlignCenter);  // a card smaller than the window sits in its middle
  view_->zoomWheel = [this](int steps, QPoint at) {
    int percent = view_->ZoomPercentNow();
    for (int i = 0; i < std::abs(steps); ++i) percent = steps > 0 ? ZoomInPercent(percent) : ZoomOutPercent(percent);
    ZoomTo(percent, at);
  };
  // A click on the grey area beside the card deselects.
  scroll_->viewport()->installEventFilter(this);
  scroll_->setBackgroundRole(QPalette::Dark);
  setCentralWidget(scroll_);
  doc_.redraw = [this] { Redraw(); };
  // After a load the log list shows.
  doc_.showLogList = [this] {
    if (showLogList) return showLogList();
    LogListWindow window(doc_, this);
    return window.exec() == QDialog::Accepted;
  };
  LayoutEditor::Hooks hooks;
  hooks.editLocked = [this] { program_.ui.ShowMessage(kEditLocked, MessageIcon::Warning); };
  hooks.editNewItem = [this](CardItem& item) { return edit_.EditNewItem(item); };
  hooks.insertObject = [this](const LogicalRect& r) {
    const QString file = QFileDialog::getOpenFileName(this, Tevra::tr("ｵﾌﾞｼﾞｪｸﾄの挿入"), QString(),
                                                      Tevra::tr("画像 (*.png *.jpg *.jpeg *.svg)"));
    if (!file.isEmpty()) InsertImages({file}, LogicalPoint{r.left, r.top}, &r);
  };
  editor_ = std::make_unique<LayoutEditor>(
      doc_.layout, [this]() -> MacroExpander& { return *doc_.expander; }, program_.settings.makeContItem,
      std::move(hooks));
  view_->SetEditor(editor_.get());
  view_->beginChange = [this] { BeginChange(); };
  view_->endChange = [this](bool changed, const QString& description) { EndChange(changed, description); };
  view_->editItem = [this] { edit_.EditCurrentItem(); };
  view_->contextMenu = [this](QPoint at) { ShowContextMenu(at); };
  view_->filesDropped = [this](const QStringList& files, LogicalPoint at) {
    // Onto the card: pictures become image items there; layouts and logs
    // open as when dropped beside it.
    // A picture by its name's kind (one that is no picture gets message 102).
    static const QList<QByteArray> kPictures = QImageReader::supportedImageFormats();
    QStringList images;
    for (const QString& file : files) {
      const std::string path = file.toStdString();
      if (!ReaderForNamedFile(path) && kPictures.contains(QFileInfo(file).suffix().toLower().toLatin1()))
        images << file;
      else
        OpenDropped(path);
    }
    if (images.isEmpty()) return;
    BeginChange();
    EndChange(InsertImages(images, at), Tevra::tr("画像の挿入"));
  };
  connect(&undo_, &QUndoStack::cleanChanged, this, [this](bool clean) { SetModified(!clean); });
  continuousTimer_.setSingleShot(true);
  connect(&continuousTimer_, &QTimer::timeout, this, [this] { ContinuousStep(); });
  // The plug-in's command carries the plug-in's own name.
  Action(cmd::kPlugin)->setVisible(program_.extSrc.Available());
  if (program_.extSrc.Available()) {
    // The plug-in names its command; the bundled CSV plug-in's name has an
    // English form.
    [[maybe_unused]] static constexpr const char* kKnownPluginNames[] = {
        QT_TRANSLATE_NOOP("Tevra", "CSVログファイルに接続...")};
    Action(cmd::kPlugin)->setText(Tr(ToUnicode(program_.extSrc.MenuName())));
  }
  setAcceptDrops(true);
  UpdateTitle();
  UpdateRecentMenus();
  UpdateCommands();
  UpdatePanes();
}

MainFrame::~MainFrame() {
  doc_.redraw = nullptr;
  doc_.showLogList = nullptr;
  ui_.statusSink = nullptr;
  ui_.SetParent(nullptr);
}

QString MainFrame::IdleText() { return Tevra::tr("レディ"); }

void MainFrame::UpdatePanes() {
  if (properties_ && properties_->isVisible()) properties_->Refresh();
  const LogStore& store = doc_.store;
  const DocumentSettings& s = doc_.layout.Settings;
  const bool tack = s.CardFormCode == FormTackSeal;
  const std::size_t perSheet = tack ? static_cast<std::size_t>(std::max(1, s.TackColumns) * std::max(1, s.TackRows)) : 1;
  panes_[1]->setText(Utf8(ZoomPercentText(view_->ZoomPercentNow())));
  panes_[2]->setText(Utf8(PositionPaneText(mouse_, s, doc_.metrics.Metrics())));
  panes_[3]->setText(Tevra::tr("ｱｲﾃﾑ %1").arg(doc_.layout.Items.Count()));
  panes_[4]->setText(Tevra::tr("ﾛｸﾞ %1件").arg(store.QsoCount()));
  QString cards = Utf8(CardsPaneText(store.CurrentCard(), store.CardCount(), perSheet));
  cards.chop(1);  // the numbers without their "枚"
  panes_[5]->setText(Tevra::tr("%1枚").arg(cards));
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
  enable(kHelpIndex);
  enable(kHelp);
  enable(kContextHelp);
  enable(kHomePage);
  enable(kDownloadWeb);
  enable(kNextQso, store.CardCount() > 0 && store.CurrentCard() + 1 < store.CardCount());
  enable(kPrevQso, store.CurrentCard() > 0);
  enable(kContinuous, merging && store.CardCount() > 1 && doc_.layout.Items.Count() > 0);
  for (int k = 0; k < 4; ++k) {
    enable(kRecentLayout1 + k, static_cast<std::size_t>(k) < program_.settings.recentLayouts.Items().size());
    enable(kRecentLog1 + k, program_.automation.enableLogFile &&
                                static_cast<std::size_t>(k) < program_.settings.load.recentLogs.Items().size());
  }
  // Shown or not as the user left them, also before the window shows.
  check(kViewToolBar, mainBar_ && !mainBar_->isHidden());
  check(kViewDrawBar, drawBar_ && !drawBar_->isHidden());
  check(kViewStatusBar, !statusBar()->isHidden());
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
    if (IsArrangeCommand(c.id)) enable(c.id, arrange_.ArrangeEnabled(c.id));
  for (int id : {kQslForm, kGridSpacing, kDocumentInfo, kRigAnt, kModeTable, kMacros, kPrintNumber, kPrintMessages})
    enable(id);
  for (int k = 0; k < 10; ++k) enable(kCommonTable1 + k);
  enable(kLogList);
  enable(kQsoData);
  enable(kEditFind, store.QsoCount() > 0);
  enable(kFindNext, store.QsoCount() > 0 && edit_.HasFindText());
  enable(kFindPrev, store.QsoCount() > 0 && edit_.HasFindText());
}

void MainFrame::UpdateRecentMenus() {
  const auto& layouts = program_.settings.recentLayouts.Items();
  const auto& logs = program_.settings.load.recentLogs.Items();
  for (int k = 0; k < 4; ++k) {
    QAction* layout = Action(cmd::kRecentLayout1 + k);
    const bool hasLayout = static_cast<std::size_t>(k) < layouts.size();
    layout->setVisible(hasLayout || k == 0);
    layout->setText(hasLayout ? RecentEntryText(k, layouts[static_cast<std::size_t>(k)])
                              : Tevra::tr("最近使ったファイル"));
    QAction* log = Action(cmd::kRecentLog1 + k);
    const bool hasLog = static_cast<std::size_t>(k) < logs.size();
    log->setVisible(hasLog || k == 0);
    log->setText(hasLog ? RecentEntryText(k, logs[static_cast<std::size_t>(k)]) : Tevra::tr("最新のログファイル"));
  }
}

void MainFrame::Redraw() {
  ui_.qsoTitle = doc_.LogLoaded() ? Tevra::tr("ＱＳＯデータ - ") + QString::fromStdString(doc_.SourceName())
                                  : Tevra::tr("ＱＳＯデータ");
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
  QString name = doc_.path.empty() ? Tevra::tr("無題") : QFileInfo(QString::fromStdString(doc_.path)).fileName();
  if (!documentTitle_.isEmpty()) name = documentTitle_;
  setWindowTitle(name + (doc_.modified ? QStringLiteral("*") : QString()) + QStringLiteral(" - TEVRA"));
}

void MainFrame::Run(int command) {
  using namespace cmd;
  if (QAction* a = Action(command); a && !a->isEnabled()) return;
  if (contextHelp_ && command != kContextHelp) {
    ArmContextHelp(false);
    if (!help_) help_ = std::make_unique<HelpWindow>(this);
    ShowHelp(help_->Contents().SectionForCommand(command));
    return;
  }
  switch (command) {
    case kFileNew: files_.NewDocument(); break;
    case kFileOpen: files_.OpenDocument(); break;
    case kFileSave: files_.Save(doc_.path.empty()); break;
    case kFileSaveAs: files_.Save(true); break;
    case kLogOpen: doc_.loader.OpenLogDialog(); break;
    case kPlugin: doc_.ConnectPlugin(); break;
    case kOdbc:
      doc_.ConnectOdbc([this](const std::vector<std::string>& tables) -> std::optional<std::string> {
        if (tables.size() == 1) return tables.front();  // nothing to choose
        QStringList names;
        for (const auto& t : tables) names << QString::fromStdString(ToUnicode(t));
        bool ok = false;
        const QString chosen = QInputDialog::getItem(this, Tevra::tr("テーブルの選択"), Tevra::tr("テーブル"),
                                                     names, 0, false, &ok);
        if (!ok) return std::nullopt;
        return FromUnicode(chosen.toStdString());
      });
      break;
    case kPrint: files_.Print(PrintKind::Merge, true); break;
    case kTestPrint: files_.Print(PrintKind::Test, true); break;
    case kPrintDirect: files_.Print(PrintKind::Test, false); break;
    case kPrintPreview: files_.Preview(); break;
    case kPrintSetup: files_.PrinterSetup(); break;
    case kEditEntities: documents_.EditEntityFile(); break;
    case kReloadEntities: program_.ReloadEntityTable(); break;
    case kAppExit: close(); break;
    case kAppAbout: documents_.ShowAbout(); break;
    case kHomePage:
    case kDownloadWeb:
      // Without a handler for the page the built-in manual stands in.
      if (!documents_.OpenDocumentation()) {
        ShowHelp(0);
        program_.ui.ShowMessage(QT_TRANSLATE_NOOP("Tevra", "このページを開くアプリケーションがありません. 代わりにマニュアルを表示します."),
                                MessageIcon::Information);
      }
      break;
    case kHelpIndex:
    case kHelp: ShowHelp(0); break;
    case kContextHelp: ArmContextHelp(!contextHelp_); break;
    case kViewToolBar: mainBar_->setHidden(!mainBar_->isHidden()); break;
    case kViewDrawBar: drawBar_->setHidden(!drawBar_->isHidden()); break;
    case kViewStatusBar: statusBar()->setHidden(!statusBar()->isHidden()); break;
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
    case kOptions: documents_.ShowOptions(); break;
    case kQslForm:
    case kGridSpacing:
    case kDocumentInfo:
    case kRigAnt:
    case kModeTable:
    case kMacros: documents_.DocumentDialog(command); break;
    case kPrintNumber: documents_.ShowPrintNumber(); break;
    case kLogList: {
      LogListWindow window(doc_, this);
      window.exec();
      break;
    }
    case kQsoData: documents_.EditCardQsos(); break;
    case kPrintMessages: RegisterPrintMessages(program_.ui, program_.settings.messages); break;
    case kSelectAll: editor_->SelectAll(); break;
    case kDelete:
      BeginChange();
      EndChange(editor_->DeleteSelection(), Tevra::tr("削除"));
      break;
    case kEditCopy: edit_.Copy(); break;
    case kEditCut:
      edit_.Copy();
      BeginChange();
      EndChange(editor_->DeleteSelection(), Tevra::tr("切り取り"));
      break;
    case kEditPaste: edit_.Paste(); break;
    case kEditUndo: undo_.undo(); break;
    case kEditRedo: undo_.redo(); break;
    case kEditItem: edit_.EditCurrentItem(); break;
    case kCondition: edit_.EditCondition(); break;
    case kColour: edit_.ChangeColour(); break;
    case kLineStyle: edit_.ChangeLineStyle(); break;
    case kFont: edit_.ChangeFont(); break;
    case kInsertObject: {
      const LogicalPoint at = VisibleTopLeft();
      const LogicalRect r{at.x, at.y, at.x + 1000, at.y - 1000};
      const QString file = QFileDialog::getOpenFileName(this, Tevra::tr("ｵﾌﾞｼﾞｪｸﾄの作成と貼り付け"), QString(),
                                                        Tevra::tr("画像 (*.png *.jpg *.jpeg *.svg)"));
      if (!file.isEmpty()) {
        BeginChange();
        EndChange(InsertImages({file}, at, &r), Tevra::tr("画像の挿入"));
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
    case kFindPrev: edit_.Find(command); break;
    default:
      if (command >= kCommonTable1 && command < kCommonTable1 + 10) {
        documents_.DocumentDialog(command);
        break;
      }
      if (IsArrangeCommand(command)) {
        arrange_.Arrange(command);
        break;
      }
      if (const int tool = ToolOfCommand(command); tool >= 0) {
        editor_->SetTool(tool);
        break;
      }
      if (command >= kRecentLayout1 && command < kRecentLayout1 + 4) {
        const auto& items = program_.settings.recentLayouts.Items();
        const auto k = static_cast<std::size_t>(command - kRecentLayout1);
        if (k < items.size() && files_.AskToSave()) OpenByName(std::string(items[k]));
      } else if (command >= kRecentLog1 && command < kRecentLog1 + 4) {
        const auto& items = program_.settings.load.recentLogs.Items();
        const auto k = static_cast<std::size_t>(command - kRecentLog1);
        if (k < items.size()) OpenByName(std::string(items[k]));
      }
      break;
  }
  Redraw();
}

void MainFrame::SetDocumentTitle(const QString& title) {
  documentTitle_ = title;
  UpdateTitle();
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
  // The zoom of the last session, else the card fitted into the window once
  // it has its size.
  // The panels where the last session left them; the properties panel
  // shows at the first start.
  const std::string panels = program_.file.GetString("Option", "Panels", "");
  if (panels.empty() || !restoreState(QByteArray::fromBase64(QByteArray::fromStdString(panels))))
    properties_->show();
  if (program_.settings.viewZoom > 0) view_->SetZoomPercent(program_.settings.viewZoom);
  else QTimer::singleShot(0, this, [this] { ZoomToFit(); });
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
  program_.settings.viewZoom = view_->ZoomPercentNow();
  program_.file.SetString("Option", "Panels", saveState().toBase64().toStdString());
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
  documents_.ApplyCardForm(oldForm, oldQsos);
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

void MainFrame::ZoomTo(int percent, std::optional<QPoint> anchor) {
  QWidget* port = scroll_->viewport();
  const QPoint inView = anchor ? *anchor : view_->mapFrom(port, QPoint(port->width() / 2, port->height() / 2));
  const QPoint inPort = view_->mapTo(port, inView);
  const LogicalPoint kept = view_->ToLogical(inView);
  view_->SetZoomPercent(percent);
  QApplication::sendPostedEvents(scroll_, QEvent::LayoutRequest);
  const QPointF now = view_->ToDevice(kept);
  scroll_->horizontalScrollBar()->setValue(static_cast<int>(now.x()) - inPort.x());
  scroll_->verticalScrollBar()->setValue(static_cast<int>(now.y()) - inPort.y());
  UpdatePanes();
}

void MainFrame::ZoomToFit() {
  QWidget* port = scroll_->viewport();
  ZoomTo(FitPercent(ScrollExtent(doc_.metrics.Metrics()), port->width(), port->height(), view_->logicalDpiX(),
                    view_->logicalDpiY()));
}

LogicalPoint MainFrame::VisibleTopLeft() const {
  const QPoint corner = view_->mapFrom(scroll_->viewport(), QPoint(0, 0));
  return view_->ToLogical(corner);
}

std::optional<LogicalPoint> MainFrame::PointerOnView() const {
  const QPoint at = view_->mapFromGlobal(QCursor::pos());
  if (!view_->rect().contains(at) || !scroll_->viewport()->rect().contains(scroll_->viewport()->mapFromGlobal(QCursor::pos())))
    return std::nullopt;
  return view_->ToLogical(at);
}

LogicalRect MainFrame::VisibleArea() const {
  const QWidget* port = scroll_->viewport();
  const LogicalPoint a = view_->ToLogical(view_->mapFrom(port, QPoint(0, 0)));
  const LogicalPoint b = view_->ToLogical(view_->mapFrom(port, QPoint(port->width(), port->height())));
  return {a.x, a.y, b.x, b.y};
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
  menu.addAction(Tevra::tr("キャンセル"));  // closes the menu
  menu.exec(at);
}

bool MainFrame::MayClose() {
  // An automation client may keep the program from closing.
  if (program_.automation.disableExit == 1) return false;
  // First the printed QSOs (Cancel keeps the window), then the layout.
  return doc_.writeBack.Settle(true) && files_.AskToSave();
}

void MainFrame::CleanUpLog() {
  // A big log takes a moment to free: a small window says so meanwhile.
  constexpr std::size_t kNoticeableQsos = 200000;
  std::unique_ptr<QLabel> note;
  if (doc_.store.QsoCount() >= kNoticeableQsos) {
    note = std::make_unique<QLabel>(Tr(msg::kCleaningUp), this, Qt::Tool | Qt::FramelessWindowHint);
    note->setMargin(16);
    note->show();
    QApplication::processEvents();
  }
  doc_.ClearLog();
}

void MainFrame::closeEvent(QCloseEvent* event) {
  if (!MayClose()) {
    event->ignore();
    return;
  }
  // The log goes with the window, unless a client keeps it (3).
  if (program_.automation.disableExit != 3 && doc_.LogLoaded()) CleanUpLog();
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
