#include "card/document_settings.h"

#include <algorithm>

#include <cmath>

#include "platform/ui.h"
#include "core/translatable.h"

namespace tevra {
namespace {

std::int32_t Snap(std::int32_t a, std::int32_t step) {
  if (step <= 0) return a;
  const std::int64_t s = step, v = a;
  return static_cast<std::int32_t>(v >= 0 ? s * ((v + s / 2) / s) : -(s * ((s / 2 - v) / s)));
}

int RoundHundredths(double mm) { return static_cast<int>(std::lround(mm * 100.0)); }

}  // namespace

LogicalPoint DocumentSettings::SnapToGrid(LogicalPoint p) const { return {Snap(p.x, GridStepX), Snap(p.y, GridStepY)}; }

void DocumentSettings::ToggleGrid() {
  if ((GridMode & 1) == 0) {
    GridMode |= 1;
  } else if (GridNormalStep) {
    GridStepX /= 2;
    GridStepY /= 2;
    GridNormalStep = 0;
  } else {
    GridStepX *= 2;
    GridStepY *= 2;
    GridNormalStep = 1;
    GridMode &= ~1;
  }
}

FormPaper PaperOfForm(int form) {
  switch (form) {
    case FormLandscape: return {43, 2};
    case FormTackSeal: return {9, 1};
    default: return {43, 1};
  }
}

QslFormDialog::QslFormDialog(const DocumentSettings& s)
    : Form(s.CardFormCode),
      Width(s.CardWidth),
      Height(s.CardHeight),
      LeftMargin(s.LeftMargin / 100.0),
      TopMargin(s.TopMargin / 100.0),
      QsosPerCard(s.QsosPerCard) {}

void QslFormDialog::ChooseForm(int form) {
  Form = form;
  Width = form == FormTackSeal ? 84 : 0;
  Height = form == FormTackSeal ? 38 : 0;
}

void DocumentSettings::ClampToLimits() {
  if (CardFormCode < FormPortrait || CardFormCode > FormTackSeal) CardFormCode = FormPortrait;
  CardWidth = std::clamp(CardWidth, 0, kCardSizeMaxMm);
  CardHeight = std::clamp(CardHeight, 0, kCardSizeMaxMm);
  LeftMargin = std::clamp(LeftMargin, -kMarginMaxHundredths, kMarginMaxHundredths);
  TopMargin = std::clamp(TopMargin, -kMarginMaxHundredths, kMarginMaxHundredths);
  QsosPerCard = std::clamp(QsosPerCard, 1, 16);
  TackColumns = std::clamp(TackColumns, 1, kTackCountMax);
  TackRows = std::clamp(TackRows, 1, kTackCountMax);
  // NaN compares false everywhere: it becomes the smallest pitch.
  auto pitch = [](double v) { return v >= kTackPitchMin ? std::min(v, kTackPitchMax) : kTackPitchMin; };
  TackColumnPitch = pitch(TackColumnPitch);
  TackRowPitch = pitch(TackRowPitch);
  if (GridMode != 0 && GridMode != 1 && GridMode != 3 && GridMode != 5) GridMode = 1;
  GridStepX = std::clamp(GridStepX, kGridStepMin, kGridStepMax);
  GridStepY = std::clamp(GridStepY, kGridStepMin, kGridStepMax);
}

bool QslFormDialog::Valid() const {
  return Form >= 0 && Form <= 2 && Width >= 0 && Height >= 0 && LeftMargin >= -100 && LeftMargin <= 100 &&
         TopMargin >= -100 && TopMargin <= 100 && QsosPerCard >= 1 && QsosPerCard <= 16;
}

DialogResult QslFormDialog::Accept(DocumentSettings& s) const {
  DialogResult r;
  if (!Valid()) return r;
  r.accepted = true;
  const int left = RoundHundredths(LeftMargin), top = RoundHundredths(TopMargin);
  r.formChanged = Form != s.CardFormCode;
  r.modified = r.formChanged || Width != s.CardWidth || Height != s.CardHeight || left != s.LeftMargin ||
               top != s.TopMargin || QsosPerCard != s.QsosPerCard;
  s.CardFormCode = Form;
  s.CardWidth = Width;
  s.CardHeight = Height;
  s.LeftMargin = left;
  s.TopMargin = top;
  s.QsosPerCard = QsosPerCard;
  if (r.formChanged) {
    const FormPaper paper = PaperOfForm(Form);
    s.PaperSize = paper.paperSize;
    s.PaperOrientation = paper.orientation;
  }
  return r;
}

bool TackSealDialog::Valid() const {
  return Columns >= 1 && Columns <= 24 && Rows >= 1 && Rows <= 24 && ColumnPitch >= 5 && ColumnPitch <= 200 &&
         RowPitch >= 5 && RowPitch <= 200;
}

DialogResult TackSealDialog::Accept(DocumentSettings& s) const {
  DialogResult r;
  if (!Valid()) return r;
  r.accepted = true;
  r.modified = Columns != s.TackColumns || Rows != s.TackRows || ColumnPitch != s.TackColumnPitch ||
               RowPitch != s.TackRowPitch;
  s.TackColumns = Columns;
  s.TackRows = Rows;
  s.TackColumnPitch = ColumnPitch;
  s.TackRowPitch = RowPitch;
  return r;
}

GridDialog::GridDialog(const DocumentSettings& s) : StepX(s.GridStepX), StepY(s.GridStepY) {
  if ((s.GridMode & 1) == 0) Selected = Off;
  else if ((s.GridMode & 6) == 2) Selected = ColourFifth;
  else if ((s.GridMode & 6) == 4) Selected = ThickFifth;
  else Selected = On;
}

bool GridDialog::Valid() const { return StepX >= 10 && StepX <= 1000 && StepY >= 10 && StepY <= 1000; }

DialogResult GridDialog::Accept(DocumentSettings& s) const {
  DialogResult r;
  if (!Valid()) return r;
  r.accepted = true;
  static constexpr int kModes[] = {0, 1, 3, 5};
  s.GridMode = kModes[Selected];
  s.GridStepX = StepX;
  s.GridStepY = StepY;
  s.GridNormalStep = 1;
  return r;
}

DialogResult DocumentInfoDialog::Accept(DocumentSettings& s) const {
  s.Title = Title;
  s.Memo = Memo;
  s.EditLock = Lock ? 1 : 0;
  return {true, true, false};
}

RigAntDialog::RigAntDialog(const DocumentSettings& s, PairReader reader)
    : rig_(s.RigTexts), ant_(s.AntTexts), reader_(std::move(reader)) {
  Rig = rig_[0];
  Ant = ant_[0];
}

void RigAntDialog::SwitchTab(int tab) {
  if (tab < 0 || tab >= kRigSlotCount) return;
  rig_[static_cast<std::size_t>(tab_)] = Rig;
  ant_[static_cast<std::size_t>(tab_)] = Ant;
  tab_ = tab;
  Rig = rig_[static_cast<std::size_t>(tab_)];
  Ant = ant_[static_cast<std::size_t>(tab_)];
}

void RigAntDialog::CopyToAll(Ui& ui) {
  if (ui.Ask(QT_TRANSLATE_NOOP("Tevra", "すべてのバンドを現在のデータに置き換えます"), Buttons::YesNo) != Answer::Yes) return;
  rig_.fill(Rig);
  ant_.fill(Ant);
}

void RigAntDialog::Copy() { clipboard_ = {Rig, Ant}; }

void RigAntDialog::Paste() {
  if (!clipboard_) return;
  Rig = clipboard_->first;
  Ant = clipboard_->second;
}

void RigAntDialog::Reference() {
  if (!reader_) return;
  auto pairs = reader_();
  if (!pairs) return;
  for (std::size_t i = 0; i < kRigSlotCount; ++i) {
    rig_[i] = (*pairs)[i].first;
    ant_[i] = (*pairs)[i].second;
  }
  Rig = rig_[static_cast<std::size_t>(tab_)];
  Ant = ant_[static_cast<std::size_t>(tab_)];
}

DialogResult RigAntDialog::Accept(DocumentSettings& s) {
  SwitchTab(tab_);  // the fields of the current tab count too
  DialogResult r;
  r.accepted = true;
  r.modified = rig_ != s.RigTexts || ant_ != s.AntTexts;
  s.RigTexts = rig_;
  s.AntTexts = ant_;
  return r;
}

}  // namespace tevra
