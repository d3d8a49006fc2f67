// The properties panel: a dockable view of the selected items' place, size
// and looks over PropertiesModel. A value typed into a field applies at
// once to every selected item as one undo step.
#pragma once

#include <QDockWidget>
#include <map>

#include "editor/properties_model.h"

class QLabel;
class QLineEdit;

namespace tevra {

class FrameContext;

class PropertiesPanel : public QDockWidget {
 public:
  PropertiesPanel(LayoutDocument& doc, FrameContext& frame, QWidget* parent);
  // Shows the selection as it is now.
  void Refresh();
  QLineEdit* Field(Property property) const { return fields_.at(property); }

 private:
  void Apply(Property property);

  PropertiesModel model_;
  FrameContext& frame_;
  QLabel* kind_;
  std::map<Property, QLineEdit*> fields_;
  std::map<Property, QLabel*> labels_;
};

}  // namespace tevra
