// The system clipboard, as plain text (CP932 bytes on the program's side).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tevra {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void SetText(std::string_view text) = 0;
  // nullopt when the clipboard holds no text.
  virtual std::optional<std::string> Text() const = 0;
};

}  // namespace tevra
