// A Ui for benchmarks: messages go to stderr, questions get their neutral
// answer, dialogs are accepted as shown.
#pragma once

#include <cstdio>

#include "platform/ui.h"

namespace tevra::bench {

class QuietUi : public SilentUi {
 public:
  void ShowMessage(std::string_view text, MessageIcon, std::string_view) override {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
  }
};

}  // namespace tevra::bench
