#include "app/gui/WindowMetrics.h"

#include <QStringList>
#include <QWidget>
#include <cmath>

namespace gui {

int TwipsToPixels(int twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

TwipScale::TwipScale(const QWidget& widget) : dpi_(widget.logicalDpiX()) {
  if (dpi_ <= 0) dpi_ = 96;
}

QRect TwipScale::Rect(int left, int top, int width, int height) const {
  return QRect((*this)(left), (*this)(top), (*this)(width), (*this)(height));
}

QFont GothicFont(double points, bool bold) {
  QFont font;
  font.setFamilies(
      QStringList{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("Noto Sans CJK JP")});
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

QString MessageLines(const std::string& text) {
  QString lines = FromUtf8(text);
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  while (lines.endsWith(QLatin1Char('\n'))) lines.chop(1);
  return lines;
}

}  // namespace gui
