// The QSO edit dialog ("ＱＳＯデータ") as a model: the texts of its fields
// and what OK makes of them.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/qso_record.h"

namespace tevra {

class QsoEditDialog {
 public:
  static std::span<const std::string_view> Frequencies();
  static std::span<const std::string_view> Modes();
  explicit QsoEditDialog(const QsoRecord& record);
  // CP932 texts of the fields.
  std::string call, date, time, rst, freq, mode, name, power, qth, remarks, env;
  bool sent = false, received = false;
  // OK: upper case and lengths, the date and time read, "-" for a newly
  // checked S or R.
  void Accept(QsoRecord& record) const;
};

}  // namespace tevra
