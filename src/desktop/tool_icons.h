// The buttons of the two tool bars, drawn at 16 × 15 pixels.
#pragma once

#include <QIcon>

namespace tevra {

QIcon ToolIcon(int command);

}  // namespace tevra
