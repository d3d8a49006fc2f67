// The window's furniture, built from the command tables: its actions with
// their keys and tips, the menus, the two tool bars and the status panes.
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "desktop/main_frame.h"
#include "editor/card_view.h"
#include "desktop/properties_panel.h"
#include "editor/view_status.h"
#include "desktop/tool_icons.h"
#include "qt/qt_ui.h"
#include "qt/translation.h"

namespace tevra {
namespace {

// The status pane templates: each pane is as wide as its template.
constexpr std::string_view kPaneTemplates[] = {"", "200%", "X=100.0,Y=999.9(mm)", QT_TRANSLATE_NOOP("Tevra", "ｱｲﾃﾑ 0000"), QT_TRANSLATE_NOOP("Tevra", "ﾛｸﾞ 00000件"),
                                               QT_TRANSLATE_NOOP("Tevra", "QSL 00000枚")};

}  // namespace


void MainFrame::BuildActions() {
  for (const CommandInfo& c : Commands()) {
    auto* action = new QAction(Tr(c.text), this);
    const QString tip = Tr(c.tip);
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
  auto* menu = new QMenu(Tr(info.title), this);
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
  // File › Examples: the bundled layouts and logs, installed or beside a
  // build, opened as any file of the command line is.
  QMenu* file = menuBar()->actions().front()->menu();
  auto* examples = new QMenu(Tevra::tr("サンプル"), this);
  examples->setObjectName(QStringLiteral("examples"));
  const QString dir = QString::fromStdString(program_.paths.programDirectory);
  for (const QString& folder : {dir + QStringLiteral("../share/tevra/examples"), QStringLiteral(TEVRA_SOURCE_DIR "/examples")}) {
    const QFileInfoList found = QDir(folder).entryInfoList(
        {QStringLiteral("*.tvd"), QStringLiteral("*.adi"), QStringLiteral("*.cbr"), QStringLiteral("*.csv")}, QDir::Files,
        QDir::Name);
    if (found.isEmpty()) continue;
    for (const QFileInfo& f : found)
      connect(examples->addAction(f.fileName()), &QAction::triggered, this,
              [this, path = f.absoluteFilePath()] { OpenByName(path.toStdString()); });
    break;
  }
  examples->setEnabled(!examples->isEmpty());
  // File › Export card images, after the print preview.
  auto* exportImages = new QAction(Tevra::tr("カード画像の書き出し..."), this);
  exportImages->setObjectName(QStringLiteral("exportImages"));
  exportImages->setStatusTip(Tevra::tr("差込印刷のカードを1枚ずつ画像ファイルに書き出します"));
  connect(exportImages, &QAction::triggered, this, [this] { files_.ExportImages(); });
  const QList<QAction*> fileEntries = file->actions();
  const qsizetype previewAt = fileEntries.indexOf(Action(cmd::kPrintPreview));
  file->insertAction(previewAt >= 0 && previewAt + 1 < fileEntries.size() ? fileEntries[previewAt + 1] : nullptr, exportImages);
  // Zooming as other designers do, beside the zoom command's four steps.
  QMenu* viewMenu = menuBar()->actions().value(2)->menu();
  const QList<QAction*> viewEntries = viewMenu->actions();
  const qsizetype zoomAt = viewEntries.indexOf(Action(cmd::kZoom));
  QAction* before = zoomAt >= 0 && zoomAt + 1 < viewEntries.size() ? viewEntries[zoomAt + 1] : nullptr;
  struct ZoomEntry {
    QString text;
    QList<QKeySequence> keys;
    std::function<void()> run;
  };
  const ZoomEntry zoomEntries[] = {
      {Tevra::tr("拡大"), {QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))},
       [this] { ZoomTo(ZoomInPercent(view_->ZoomPercentNow())); }},
      {Tevra::tr("縮小"), {QKeySequence(QStringLiteral("Ctrl+-"))}, [this] { ZoomTo(ZoomOutPercent(view_->ZoomPercentNow())); }},
      {Tevra::tr("用紙全体を表示"), {QKeySequence(QStringLiteral("Ctrl+0"))}, [this] { ZoomToFit(); }},
      {Tevra::tr("実寸 (100%)"), {QKeySequence(QStringLiteral("Ctrl+1"))}, [this] { ZoomTo(100); }},
  };
  // The properties panel, docked on the right; View shows and hides it.
  properties_ = new PropertiesPanel(doc_.layout, *this, this);
  addDockWidget(Qt::RightDockWidgetArea, properties_);
  properties_->hide();  // shown by the placement of the last session, or at the first start
  QAction* panelToggle = properties_->toggleViewAction();
  panelToggle->setText(Tevra::tr("プロパティ"));
  viewMenu->insertAction(viewEntries.value(3), panelToggle);
  for (const ZoomEntry& e : zoomEntries) {
    auto* action = new QAction(e.text, this);
    action->setShortcuts(e.keys);
    connect(action, &QAction::triggered, this, e.run);
    viewMenu->insertAction(before, action);
    zoomActions_.push_back(action);
  }
  const QList<QAction*> entries = file->actions();
  const qsizetype saveAs = entries.indexOf(Action(cmd::kFileSaveAs));
  file->insertMenu(saveAs >= 0 && saveAs + 1 < entries.size() ? entries[saveAs + 1] : nullptr, examples);
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
  mainBar_ = new QToolBar(Tevra::tr("ﾂｰﾙ ﾊﾞｰ"), this);
  mainBar_->setObjectName(QStringLiteral("MainToolBar"));
  build(mainBar_, MainToolBar());
  addToolBar(Qt::TopToolBarArea, mainBar_);
  drawBar_ = new QToolBar(Tevra::tr("描画ｱｲﾃﾑﾂｰﾙﾊﾞｰ"), this);
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
      label->setMinimumWidth(label->fontMetrics().horizontalAdvance(Tr(kPaneTemplates[i])) + 8);
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

}  // namespace tevra
