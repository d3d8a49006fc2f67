#include "qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "core/encoding.h"

namespace tevra {

void QtClipboard::SetText(std::string_view text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(ToUnicode(text)));
}

std::optional<std::string> QtClipboard::Text() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasText()) return std::nullopt;
  return FromUnicode(data->text().toStdString());
}

}  // namespace tevra
