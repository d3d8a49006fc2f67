#include "desktop/tool_icons.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>

#include "program/commands.h"

namespace tevra {

QIcon ToolIcon(int id) {
  QPixmap pixmap(16, 15);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(QPen(Qt::black, 1));
  const QRect box(2, 2, 11, 10);
  auto letter = [&p](const QString& text, int size = 9) {
    QFont f = p.font();
    f.setPixelSize(size);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, 16, 15), Qt::AlignCenter, text);
  };
  using namespace cmd;
  switch (id) {
    case kFileNew: p.drawRect(3, 1, 9, 12); break;
    case kFileOpen: p.drawRect(1, 4, 12, 8); p.drawLine(2, 4, 5, 1); p.drawLine(5, 1, 9, 1); break;
    case kFileSave: p.fillRect(2, 1, 12, 12, Qt::darkBlue); p.fillRect(4, 2, 8, 4, Qt::white); break;
    case kEditCut: p.drawEllipse(2, 9, 4, 4); p.drawEllipse(9, 9, 4, 4); p.drawLine(5, 9, 11, 1); p.drawLine(10, 9, 4, 1); break;
    case kEditCopy: p.drawRect(1, 1, 8, 9); p.drawRect(6, 4, 8, 9); break;
    case kEditPaste: p.fillRect(2, 2, 10, 12, QColor(0xC0, 0x90, 0x40)); p.fillRect(6, 5, 8, 9, Qt::white); break;
    case kPrint: p.drawRect(2, 6, 12, 6); p.drawRect(4, 1, 8, 5); letter(QStringLiteral("M"), 7); break;
    case kTestPrint: p.drawRect(2, 6, 12, 6); p.drawRect(4, 1, 8, 5); letter(QStringLiteral("T"), 7); break;
    case kPrintPreview: p.drawRect(2, 1, 9, 12); p.drawEllipse(7, 6, 5, 5); p.drawLine(11, 11, 14, 14); break;
    case kGridToggle:
      for (int i = 2; i <= 14; i += 4) {
        p.drawLine(i, 1, i, 13);
        p.drawLine(1, i - 1, 15, i - 1);
      }
      break;
    case kGridSpacing: p.drawLine(2, 2, 2, 12); p.drawLine(7, 2, 7, 12); p.drawLine(2, 7, 7, 7); letter(QStringLiteral("  ↔"), 8); break;
    case kZoom: p.drawEllipse(2, 2, 8, 8); p.drawLine(9, 9, 14, 14); break;
    case kMergeToggle: letter(QStringLiteral("D")); break;
    case kQsoData: letter(QStringLiteral("Q")); break;
    case kLogList: for (int y = 2; y <= 12; y += 3) p.drawLine(2, y, 13, y); break;
    case kEditFind: p.drawEllipse(1, 1, 8, 8); p.drawLine(8, 8, 13, 13); letter(QStringLiteral("   C"), 7); break;
    case kPrevQso: p.setBrush(Qt::black); p.drawPolygon(QPolygon({QPoint(11, 2), QPoint(4, 7), QPoint(11, 12)})); break;
    case kNextQso: p.setBrush(Qt::black); p.drawPolygon(QPolygon({QPoint(4, 2), QPoint(11, 7), QPoint(4, 12)})); break;
    case kAppAbout: letter(QStringLiteral("?")); break;
    case kContextHelp: p.drawLine(2, 2, 2, 11); p.drawLine(2, 2, 8, 8); letter(QStringLiteral("  ?")); break;
    case kToolSelect: p.setBrush(Qt::black); p.drawPolygon(QPolygon({QPoint(4, 1), QPoint(4, 12), QPoint(7, 9), QPoint(11, 11)})); break;
    case kToolLine: p.drawLine(2, 12, 13, 2); break;
    case kToolBox: p.drawRect(box); break;
    case kToolRoundBox: p.drawRoundedRect(box, 3, 3); break;
    case kToolEllipse: p.drawEllipse(box); break;
    case kToolFill: p.fillRect(box, Qt::darkGray); break;
    case kToolString: letter(QStringLiteral("A"), 11); break;
    case kToolTextBox: p.drawRect(box); letter(QStringLiteral("ab"), 7); break;
    case kToolCheckBox: p.drawRect(box); p.drawLine(4, 7, 7, 10); p.drawLine(7, 10, 12, 3); break;
    case kToolJarl: for (int x = 1; x <= 11; x += 5) p.drawRect(x, 4, 4, 6); break;
    case kToolDataMark: p.drawRect(box); letter(QStringLiteral("%"), 8); break;
    case kToolObject: p.drawRect(box); p.fillRect(4, 4, 4, 4, Qt::red); p.fillRect(8, 7, 4, 4, Qt::blue); break;
    case kColour:
      p.fillRect(1, 1, 7, 6, Qt::red); p.fillRect(8, 1, 7, 6, Qt::green); p.fillRect(1, 8, 14, 6, Qt::blue); break;
    case kLineStyle: p.drawLine(1, 3, 14, 3); p.setPen(QPen(Qt::black, 2)); p.drawLine(1, 7, 14, 7);
      p.setPen(QPen(Qt::black, 1, Qt::DotLine)); p.drawLine(1, 11, 14, 11); break;
    case kFont: letter(QStringLiteral("F"), 12); break;
    default: letter(QStringLiteral("·")); break;
  }
  return QIcon(pixmap);
}

}  // namespace tevra
