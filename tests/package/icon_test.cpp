// The icon the desktop shows (PNGs drawn from packaging/icons/allelescope.svg)
// and the one the window paints in code are one design: a change to either
// that is not made to the other shows up here as a picture that differs.
#include <QImage>
#include <QTest>
#include <cmath>

#include "app/gui/AppIcon.h"

namespace {

// Mean difference per channel, 0..255, of two pictures of one size.
double MeanDifference(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_RGBA8888);
  const QImage y = b.convertToFormat(QImage::Format_RGBA8888);
  double total = 0;
  for (int row = 0; row < x.height(); ++row) {
    const uchar* p = x.constScanLine(row);
    const uchar* q = y.constScanLine(row);
    for (int i = 0; i < x.width() * 4; ++i) total += std::abs(int(p[i]) - int(q[i]));
  }
  return total / (double(x.width()) * x.height() * 4);
}

}  // namespace

class IconTest : public QObject {
  Q_OBJECT

 private slots:
  void DesktopIconMatchesWindowIcon_data() {
    QTest::addColumn<int>("size");
    for (int size : {16, 24, 48, 128, 256})
      QTest::newRow(qPrintable(QString::number(size))) << size;
  }

  void DesktopIconMatchesWindowIcon() {
    QFETCH(int, size);
    const QString path = QStringLiteral(ALLELESCOPE_ICON_DIR "/%1x%1/allelescope.png").arg(size);
    const QImage desktop(path);
    QVERIFY2(!desktop.isNull(), qPrintable(path));
    QCOMPARE(desktop.size(), QSize(size, size));
    const QImage window = gui::AppPixmap(size).toImage();
    // Two renderers smooth edges differently; a changed colour, shape or
    // position moves far more than this.
    const double difference = MeanDifference(desktop, window);
    QVERIFY2(difference < kTolerance, qPrintable(QString::number(difference)));
  }

 private:
  static constexpr double kTolerance = 5.0;
};

QTEST_MAIN(IconTest)
#include "icon_test.moc"
