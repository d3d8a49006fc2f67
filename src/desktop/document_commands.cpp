#include "desktop/document_commands.h"

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
#include "program/file_locations.h"

namespace tevra {


void DocumentCommands::DocumentDialog(int command) {
  using namespace cmd;
  LayoutDocument& layout = doc_.layout;
  DocumentSettings& settings = layout.Settings;
  const CommandInfo* info = FindCommand(command);
  const QString description =
      info ? Tr(info->text).section(QChar('\t'), 0, 0).remove(QChar('&')) : QString();
  const int oldForm = settings.CardFormCode, oldQsos = settings.QsosPerCard;
  std::optional<int> sheetPaper;  // a label sheet's paper, chosen from the catalogue
  frame_.BeginChange();
  bool changed = false;
  {
    switch (command) {
      case kQslForm: {
        QslFormDialog form(settings);
        TackSealDialog tack(settings);
        // The catalogue is read when the chooser first opens.
        static const std::vector<LabelSheet> catalogue = ReadLabelCatalogue();
        const auto choose = [&](QslFormDialog& f, TackSealDialog& t, QWidget* over) {
          const std::optional<LabelSheet> sheet = ChooseLabelSheet(catalogue, over);
          if (!sheet) return false;
          FillDialogs(*sheet, f, t);
          sheetPaper = sheet->paperCode;
          return true;
        };
        if (!RunQslFormDialog(form, tack, frame_.Window(), choose)) break;
        const DialogResult t = tack.Accept(settings);
        const DialogResult f = form.Accept(settings);
        changed = (t.accepted && t.modified) || (f.accepted && f.modified);
        break;
      }
      case kGridSpacing: {
        GridDialog grid(settings);
        changed = RunGridDialog(grid, frame_.Window()) && grid.Accept(settings).accepted;
        break;
      }
      case kDocumentInfo: {
        DocumentInfoDialog info(settings);
        changed = RunDocumentInfoDialog(info, frame_.Window()) && info.Accept(settings).modified;
        break;
      }
      case kRigAnt: {
        RigAntDialog rigAnt(settings, LayoutRigAntReader(program_.ui));
        changed = RunRigAntDialog(rigAnt, program_.ui, frame_.Window()) && rigAnt.Accept(settings).modified;
        if (changed && doc_.rigAntEvent) doc_.rigAntEvent();
        break;
      }
      case kModeTable: {
        TableDialog table = TableDialog::ForModes(layout.Tables.Modes);
        if (RunTableDialog(table, program_.ui, program_.paths.programDirectory, frame_.Window())) {
          layout.Tables.Modes = table.ToModeTable();
          changed = true;
        }
        break;
      }
      case kMacros: {
        MacroDialog macros(layout.Tables.Macros, ReadMacroFile);
        if (RunMacroDialog(macros, program_.ui, frame_.Window())) {
          macros.Accept(layout.Tables.Macros, doc_.context);
          changed = true;
        }
        break;
      }
      default: {
        const auto n = static_cast<std::size_t>(command - kCommonTable1);
        TableDialog table = TableDialog::ForConditions(layout.Tables.Common[n]);
        // Where the dialog was, as the settings file keeps it ("TableWin").
        ProgramSettings& ps = program_.settings;
        TableDialogPlace place;
        if (ps.tableWindow) place.rect = QRect(ps.tableWindow->x, ps.tableWindow->y, ps.tableWindow->cx, ps.tableWindow->cy);
        place.column1 = ps.tableColumn1;
        place.column2 = ps.tableColumn2;
        const bool accepted =
            RunTableDialog(table, program_.ui, program_.paths.programDirectory, frame_.Window(), &place);
        if (place.rect)
          ps.tableWindow = WindowPlacement{place.rect->width(), place.rect->height(), place.rect->x(), place.rect->y()};
        ps.tableColumn1 = place.column1;
        ps.tableColumn2 = place.column2;
        if (accepted) {
          layout.Tables.Common[n] = table.ToConditionTable();
          changed = true;
        }
        break;
      }
    }
  }
  doc_.context.MessageShown = false;
  ApplyCardForm(oldForm, oldQsos);
  if (changed && sheetPaper && settings.CardFormCode == FormTackSeal) {
    settings.PaperSize = *sheetPaper;
    settings.PaperOrientation = 1;
    doc_.SelectCardPaper(*sheetPaper, 1);
  }
  frame_.EndChange(changed, description);
}


void DocumentCommands::ApplyCardForm(int oldForm, int oldQsosPerCard) {
  const DocumentSettings& s = doc_.layout.Settings;
  if (s.CardFormCode != oldForm) {
    const FormPaper paper = PaperOfForm(s.CardFormCode);
    doc_.SelectCardPaper(paper.paperSize, paper.orientation);
  }
  if (s.QsosPerCard != oldQsosPerCard || s.CardFormCode != oldForm) {
    doc_.SetQsosPerCard(s.QsosPerCard);
    doc_.store.Regroup();
    doc_.ReadCurrentCard();
  }
}


void DocumentCommands::EditCardQsos() {
  LogStore& store = doc_.store;
  std::size_t q = 0;  // the QSO on the card
  for (;;) {
    const bool log = doc_.LogLoaded() && store.CardCount() > 0;
    const std::size_t onCard = log ? std::max<std::size_t>(1, store.CurrentCardQsoCount()) : 1;
    QsoEditNavigation navigation;
    navigation.previousEnabled = log && (store.CurrentCard() > 0 || q > 0);
    navigation.nextEnabled = log && (store.CurrentCard() + 1 < store.CardCount() || q + 1 < onCard);
    QsoEditDialog dialog(doc_.mergeBuffer[q]);
    switch (RunQsoEditView(dialog, ui_.qsoTitle, &navigation, frame_.Window())) {
      case QsoEditResult::Ok:
        // The card being drawn changes; the log does not.
        dialog.Accept(doc_.mergeBuffer[q]);
        doc_.context.MessageShown = false;
        return;
      case QsoEditResult::Cancel: return;
      case QsoEditResult::List:
        frame_.Run(log ? cmd::kLogList : cmd::kLogOpen);
        return;
      case QsoEditResult::Previous:
        if (q > 0) {
          --q;
        } else {
          frame_.StepCard(-1);
          q = std::max<std::size_t>(1, store.CurrentCardQsoCount()) - 1;
        }
        break;
      case QsoEditResult::Next:
        if (q + 1 < onCard) {
          ++q;
        } else {
          frame_.StepCard(1);
          q = 0;
        }
        break;
    }
    frame_.Redraw();
  }
}


void DocumentCommands::ShowPrintNumber() {
  ProgramSettings& s = program_.settings;
  PrintNumberDialog dialog(s.printNo, s.printNoStart, s.printNoAuto);
  QDialog box(frame_.Window());
  box.setWindowTitle(Tr(PrintNumberDialog::kTitle));
  auto* form = new QFormLayout(&box);
  form->addRow(Tevra::tr("起動時の印刷番号"), new QLabel(QString::number(dialog.StartNumber())));
  form->addRow(Tevra::tr("現在の印刷番号"), new QLabel(QString::number(dialog.CurrentNumber())));
  auto* number = new QLineEdit(QString::fromStdString(dialog.newNumber));
  form->addRow(Tevra::tr("新しい印刷番号"), number);
  auto* revert = new QPushButton(Tevra::tr("戻す"));
  revert->setEnabled(dialog.RevertEnabled());
  QObject::connect(number, &QLineEdit::textChanged, &box, [&](const QString& text) {
    dialog.newNumber = text.toStdString();
    revert->setEnabled(dialog.RevertEnabled());
  });
  QObject::connect(revert, &QPushButton::clicked, &box, [&] {
    dialog.newNumber = number->text().toStdString();
    dialog.Revert();
    number->setText(QString::fromStdString(dialog.newNumber));
  });
  auto* automatic = new QCheckBox(Tevra::tr("ログ読み込み時に自動計算"));
  automatic->setChecked(dialog.autoCalc);
  form->addRow(revert);
  form->addRow(automatic);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  form->addRow(buttons);
  if (box.exec() != QDialog::Accepted) return;
  dialog.newNumber = number->text().toStdString();
  dialog.autoCalc = automatic->isChecked();
  ApplyPrintNumber(dialog, doc_, s.printNoAuto);
}


void DocumentCommands::ShowOptions() {
  OptionsDialog dialog(program_);
  if (!RunOptionsDialog(dialog, frame_.Window())) return;
  if (ApplyOptions(dialog, doc_)) frame_.SetModified(true);
}


void DocumentCommands::ShowAbout() {
  AboutBox box(frame_.Window());
  box.exec();
}


void DocumentCommands::EditEntityFile() {
  // An installed file the user may not write is copied to the user's data
  // folder first; the program reads that copy from then on.
  std::string problem;
  const std::string file =
      EditableEntityFile(EntityFileInUse(program_.paths.programDirectory), UserDataHome(), &problem);
  if (file.empty()) {
    program_.ui.ShowMessage(Tevra::tr("エンティティ定義ファイルをコピーできませんでした:\n%1")
                                .arg(QString::fromStdString(problem))
                                .toStdString(),
                            MessageIcon::Error);
    return;
  }
  const QString path = QString::fromStdString(file);
  // The desktop's handler for text files, else the user's editor in a
  // terminal, else where the file is.
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return;
  const QString terminal = qEnvironmentVariable("TERMINAL", QStringLiteral("x-terminal-emulator"));
  for (const char* variable : {"VISUAL", "EDITOR"}) {
    const QStringList words = QProcess::splitCommand(qEnvironmentVariable(variable));
    if (words.isEmpty()) continue;
    if (QProcess::startDetached(terminal, QStringList{QStringLiteral("-e")} << words << path)) return;
  }
  program_.ui.ShowMessage(
      Tevra::tr("エンティティ定義ファイルを開くエディタが見つかりません.\nファイルの場所: %1").arg(path).toStdString(),
      MessageIcon::Information);
}


QString DocumentCommands::DocumentationPath() const {
  const QString dir = QString::fromStdString(program_.paths.programDirectory);
  // Installed, then beside the program, then the source tree of a build.
  for (const QString& path : {dir + QStringLiteral("../share/doc/tevra/README.md"), dir + QStringLiteral("README.md"),
                              QStringLiteral(TEVRA_SOURCE_DIR "/README.md")})
    if (QFileInfo::exists(path)) return QFileInfo(path).absoluteFilePath();
  return {};
}


bool DocumentCommands::OpenDocumentation() {
  const QString readme = DocumentationPath();
  return !readme.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(readme));
}

}  // namespace tevra
