#include "desktop/properties_panel.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "desktop/frame_context.h"
#include "qt/translation.h"

namespace tevra {
namespace {

QString LabelOf(Property p) {
  switch (p) {
    case Property::Left: return Tevra::tr("左 (mm)");
    case Property::Top: return Tevra::tr("上 (mm)");
    case Property::Width: return Tevra::tr("幅 (mm)");
    case Property::Height: return Tevra::tr("高さ (mm)");
    case Property::Text: return Tevra::tr("文字列");
    case Property::Font: return Tevra::tr("フォント");
    case Property::FontSize: return Tevra::tr("サイズ (pt)");
    case Property::Bold: return Tevra::tr("太字 (1/0)");
    case Property::Italic: return Tevra::tr("斜体 (1/0)");
    case Property::TextColour: return Tevra::tr("文字の色");
    case Property::LineColour: return Tevra::tr("線の色");
    case Property::LineWidth: return Tevra::tr("線の幅");
    case Property::LineStyle: return Tevra::tr("線の種類 (0-6)");
    case Property::Condition: return Tevra::tr("描画条件");
  }
  return {};
}

}  // namespace

PropertiesPanel::PropertiesPanel(LayoutDocument& doc, FrameContext& frame, QWidget* parent)
    : QDockWidget(Tevra::tr("プロパティ"), parent), model_(doc), frame_(frame) {
  setObjectName(QStringLiteral("PropertiesPanel"));
  auto* body = new QWidget;
  auto* form = new QFormLayout(body);
  kind_ = new QLabel;
  form->addRow(kind_);
  for (Property p : kAllProperties) {
    auto* field = new QLineEdit;
    field->setObjectName(QStringLiteral("property%1").arg(static_cast<int>(p)));
    auto* label = new QLabel(LabelOf(p));
    form->addRow(label, field);
    fields_[p] = field;
    labels_[p] = label;
    // Enter or leaving the field applies what was typed.
    connect(field, &QLineEdit::editingFinished, this, [this, p] { Apply(p); });
  }
  setWidget(body);
  Refresh();
}

void PropertiesPanel::Refresh() {
  const std::size_t count = model_.Items().size();
  kind_->setText(count == 0   ? Tevra::tr("(選択なし)")
                 : count == 1 ? Tr(model_.ClassName())
                              : Tevra::tr("%1 個のアイテム").arg(count));
  for (Property p : kAllProperties) {
    const auto value = count == 0 ? std::nullopt : model_.Value(p);
    QLineEdit* field = fields_[p];
    field->setVisible(value.has_value());
    labels_[p]->setVisible(value.has_value());
    // A field being typed in keeps what the user typed.
    if (value && !field->hasFocus()) field->setText(QString::fromStdString(*value));
  }
}

void PropertiesPanel::Apply(Property p) {
  QLineEdit* field = fields_[p];
  if (!field->isModified()) return;
  field->setModified(false);
  frame_.BeginChange();
  const bool changed = model_.Set(p, field->text().toStdString());
  frame_.EndChange(changed, Tevra::tr("プロパティ"));
  Refresh();
  if (!changed) field->setText(QString::fromStdString(model_.Value(p).value_or(std::string())));
}

}  // namespace tevra
