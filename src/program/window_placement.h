// Where the main window opens: the default size for the screen, kept on
// the screen, replaced by the saved placement when the screen size is the
// one it was saved on.
#pragma once

#include "program/settings.h"

namespace tevra {

struct FrameRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const FrameRect&) const = default;
};

// screen: the screen's size; defaultX/defaultY: where the desktop would
// put a new window.
FrameRect InitialFrameRect(int screenWidth, int screenHeight, const MainWindowState& saved, int defaultX,
                           int defaultY);

}  // namespace tevra
