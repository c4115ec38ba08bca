#include "app/gui/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace gui {

QPixmap AppPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);

  const double s = size;
  const QRectF tile(s * 0.04, s * 0.04, s * 0.92, s * 0.92);
  painter.setPen(QPen(QColor(160, 96, 48), std::max(1.0, s * 0.04)));
  painter.setBrush(QColor(255, 224, 192));
  painter.drawRoundedRect(tile, s * 0.16, s * 0.16);

  // The helix runs top to bottom; x of a strand at height y.
  const double top = s * 0.16, bottom = s * 0.84, mid = s * 0.5, amplitude = s * 0.26;
  auto strandX = [&](double y, double phase) {
    const double t = (y - top) / (bottom - top);
    return mid + amplitude * std::sin(t * 2 * std::numbers::pi + phase);
  };

  // Rungs first, so the strands pass over their ends.
  const QColor rungColours[] = {QColor(220, 60, 60), QColor(60, 150, 70), QColor(230, 170, 30),
                                QColor(60, 110, 210)};
  const int rungs = 7;
  for (int i = 0; i < rungs; ++i) {
    const double y = top + (bottom - top) * (i + 0.5) / rungs;
    painter.setPen(QPen(rungColours[i % 4], std::max(1.0, s * 0.05), Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(strandX(y, 0), y), QPointF(strandX(y, std::numbers::pi), y));
  }

  const QColor strandColours[] = {QColor(40, 70, 150), QColor(150, 50, 40)};
  for (int strand = 0; strand < 2; ++strand) {
    QPainterPath path;
    const int steps = 48;
    for (int i = 0; i <= steps; ++i) {
      const double y = top + (bottom - top) * i / steps;
      const QPointF point(strandX(y, strand * std::numbers::pi), y);
      if (i == 0) {
        path.moveTo(point);
      } else {
        path.lineTo(point);
      }
    }
    painter.setPen(
        QPen(strandColours[strand], std::max(1.5, s * 0.07), Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
  }
  return pixmap;
}

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(AppPixmap(size));
  return icon;
}

}  // namespace gui
