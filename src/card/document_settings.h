// The settings a layout document carries besides its items: the QSL form,
// tack-seal grid, QSOs per card, the editing grid, document information and
// edit lock, per-band rig and antenna texts, and the pen and font for new
// items; with the models of their dialogs.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "card/card_item.h"
#include "core/band.h"
#include "core/translatable.h"

namespace tevra {

class Ui;

enum CardForm : int { FormPortrait = 0, FormLandscape = 1, FormTackSeal = 2 };

inline constexpr std::array<std::string_view, 3> kCardFormNames = {QT_TRANSLATE_NOOP("Tevra", "縦置き (100X148)"), QT_TRANSLATE_NOOP("Tevra", "横置き (148X100)"),
                                                                   QT_TRANSLATE_NOOP("Tevra", "タックシール")};
inline constexpr std::array<std::string_view, kRigSlotCount> kRigTabNames = {
    "1.9", "3.5", "3.8", "7", "10", "14", "18", "21", "24", "28", "50", "144", "430", "1200", "2400", "5600", "SAT", "Misc"};
inline constexpr std::string_view kEditLocked =
    QT_TRANSLATE_NOOP("Tevra", "この文書ファイルは編集操作がロックされています.\r\n\r\n文書情報（ﾌｧｲﾙﾒﾆｭｰ）のロックを解除すると編集できるようになります.");

struct DocumentSettings {
  int CardFormCode = FormPortrait;
  int CardWidth = 0;   // mm, 0 = the printable area
  int CardHeight = 0;  // mm
  int LeftMargin = 0;  // 1/100 mm
  int TopMargin = 0;
  int QsosPerCard = 1;
  int TackColumns = 2;
  int TackRows = 6;
  double TackColumnPitch = 88.05;  // mm
  double TackRowPitch = 42.33;
  int PaperOrientation = 1;
  int PaperSize = 43;
  int PaperLength = 0;
  int PaperWidth = 0;
  int GridMode = 1;  // 0 off, 1 on, 3 every fifth line coloured, 5 every fifth line thicker
  int GridNormalStep = 1;
  int GridStepX = 100;  // 1/1000 inch
  int GridStepY = 100;
  std::string Title;
  std::string Memo;
  int EditLock = 0;
  std::array<std::string, kRigSlotCount> RigTexts;
  std::array<std::string, kRigSlotCount> AntTexts;
  PenRecord CurrentPen;
  FontRecord CurrentFont;

  // Card size in 1/1000 inch (0 while automatic).
  int CardWidthUnits() const { return MillimetresToUnits(CardWidth); }
  int CardHeightUnits() const { return MillimetresToUnits(CardHeight); }
  // Saturating, for sizes read from damaged files.
  static int MillimetresToUnits(int mm) {
    const std::int64_t units = std::int64_t{mm} * 10000 / 254;
    return units > INT32_MAX ? INT32_MAX : units < INT32_MIN ? INT32_MIN : static_cast<int>(units);
  }
  bool IsEditLocked() const { return EditLock != 0; }
  // Rounds a point to the grid, halves away from zero.
  LogicalPoint SnapToGrid(LogicalPoint p) const;
  // Off -> on -> on with halved steps -> off.
  void ToggleGrid();
  // Brings every value into what a card can be (the dialogs' limits), for
  // settings read from a file.
  void ClampToLimits();
};

// The limits of the card-form, tack-seal and grid dialogs.
inline constexpr int kCardSizeMaxMm = 1000;
inline constexpr int kMarginMaxHundredths = 10000;  // ±100 mm
inline constexpr int kTackCountMax = 24;
inline constexpr double kTackPitchMin = 5, kTackPitchMax = 200;
inline constexpr int kGridStepMin = 10, kGridStepMax = 1000;

// The printer paper a card form asks for.
struct FormPaper {
  int paperSize;
  int orientation;
};
FormPaper PaperOfForm(int form);

// What OK in a settings dialog changed.
struct DialogResult {
  bool accepted = false;  // false: a value is out of range, the dialog stays
  bool modified = false;
  bool formChanged = false;
};

class QslFormDialog {
 public:
  explicit QslFormDialog(const DocumentSettings& settings);
  int Form = 0;
  int Width = 0, Height = 0;                  // mm
  double LeftMargin = 0, TopMargin = 0;       // mm
  int QsosPerCard = 1;
  // Choosing a form fills the size fields.
  void ChooseForm(int form);
  bool TackSealEnabled() const { return Form == FormTackSeal; }
  bool Valid() const;
  DialogResult Accept(DocumentSettings& settings) const;
};

class TackSealDialog {
 public:
  explicit TackSealDialog(const DocumentSettings& s)
      : Columns(s.TackColumns), Rows(s.TackRows), ColumnPitch(s.TackColumnPitch), RowPitch(s.TackRowPitch) {}
  int Columns, Rows;
  double ColumnPitch, RowPitch;
  bool Valid() const;
  DialogResult Accept(DocumentSettings& settings) const;
};

class GridDialog {
 public:
  enum Choice { Off = 0, On = 1, ColourFifth = 2, ThickFifth = 3 };
  explicit GridDialog(const DocumentSettings& settings);
  Choice Selected = On;
  int StepX = 100, StepY = 100;
  // The spin control sets both steps.
  void SetBothSteps(int step) { StepX = StepY = step; }
  bool Valid() const;
  DialogResult Accept(DocumentSettings& settings) const;
};

class DocumentInfoDialog {
 public:
  explicit DocumentInfoDialog(const DocumentSettings& s) : Title(s.Title), Memo(s.Memo), Lock(s.EditLock != 0) {}
  std::string Title, Memo;
  bool Lock;
  DialogResult Accept(DocumentSettings& settings) const;
};

class RigAntDialog {
 public:
  // "参照": the 18 rig and antenna pairs of another layout file, or nothing
  // (the reader shows its own message).
  using PairReader = std::function<std::optional<std::array<std::pair<std::string, std::string>, kRigSlotCount>>()>;

  explicit RigAntDialog(const DocumentSettings& settings, PairReader reader = {});
  int Tab() const { return tab_; }
  std::string Rig, Ant;  // the fields of the current tab
  // Stores the fields into the tab being left and shows the new one.
  void SwitchTab(int tab);
  // "ALL": asks, then copies the fields into every tab.
  void CopyToAll(Ui& ui);
  void Copy();
  bool PasteEnabled() const { return clipboard_.has_value(); }
  void Paste();
  bool ReferenceEnabled() const { return static_cast<bool>(reader_); }
  void Reference();
  DialogResult Accept(DocumentSettings& settings);

 private:
  std::array<std::string, kRigSlotCount> rig_, ant_;
  int tab_ = 0;
  std::optional<std::pair<std::string, std::string>> clipboard_;
  PairReader reader_;
};

}  // namespace tevra
