#include "program/window_placement.h"

namespace tevra {

FrameRect InitialFrameRect(int screenWidth, int screenHeight, const MainWindowState& saved, int defaultX,
                           int defaultY) {
  FrameRect r;
  r.height = screenHeight > 600 ? 600 : screenHeight > 480 ? 480 : screenHeight;
  r.width = screenWidth > 800 ? 800 : screenWidth > 640 ? 640 : screenWidth;
  r.x = defaultX;
  r.y = defaultY;
  if (r.y + r.height > screenHeight) r.y = screenHeight - r.height;
  if (r.x + r.width > screenWidth) r.x = screenWidth - r.width;
  // A placement saved on a screen of another size is ignored.
  if (saved.rect && saved.screenWidth == screenWidth && saved.screenHeight == screenHeight)
    r = {saved.rect->x, saved.rect->y, saved.rect->cx, saved.rect->cy};
  return r;
}

}  // namespace tevra
