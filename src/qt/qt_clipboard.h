// The clipboard of the desktop session through Qt.
#pragma once

#include "platform/clipboard.h"

namespace tevra {

class QtClipboard : public Clipboard {
 public:
  void SetText(std::string_view text) override;
  std::optional<std::string> Text() const override;
};

}  // namespace tevra
