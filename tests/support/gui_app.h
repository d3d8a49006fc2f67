// One QGuiApplication for a test program, on the offscreen platform.
#pragma once

#include <QGuiApplication>

namespace tevra::test {

inline void EnsureGuiApp() {
  if (QGuiApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tevra_tests";
  static char* argv[] = {name, nullptr};
  new QGuiApplication(argc, argv);
}

}  // namespace tevra::test
