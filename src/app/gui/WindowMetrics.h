#pragma once
// Sizes and fonts shared by the two windows. Positions are laid out in twips
// (1/1440 inch) and turned into pixels by the screen's logical DPI, so the
// windows keep their proportions on a high-DPI desktop.
#include <QFont>
#include <QRect>
#include <QString>
#include <string>

#include "app/gui/UiText.h"

class QWidget;

namespace gui {

// Pixels for `twips` at `dpi` logical dots per inch (96 dpi: twips / 15).
int TwipsToPixels(int twips, double dpi);

// Converts twip rectangles for one widget's screen.
class TwipScale {
 public:
  explicit TwipScale(const QWidget& widget);
  explicit TwipScale(double dpi) : dpi_(dpi) {}
  int operator()(int twips) const { return TwipsToPixels(twips, dpi_); }
  QRect Rect(int left, int top, int width, int height) const;
  double Dpi() const { return dpi_; }

 private:
  double dpi_;
};

// The Japanese proportional Gothic face; on desktops without it, Noto Sans CJK JP.
QFont GothicFont(double points, bool bold = false);

// Closing and status texts separate lines by a carriage return; show them as lines.
QString MessageLines(const std::string& text);

}  // namespace gui
