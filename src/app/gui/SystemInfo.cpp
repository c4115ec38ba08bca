#include "app/gui/SystemInfo.h"

#include <QFile>
#include <QTextStream>

#include "app/gui/UiText.h"

namespace gui {

QString OsRelease(const QString& file) {
  QFile release(file);
  if (!release.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  QTextStream lines(&release);
  const QString key = QStringLiteral("PRETTY_NAME=");
  for (QString line = lines.readLine(); !line.isNull(); line = lines.readLine()) {
    if (!line.startsWith(key)) continue;
    QString value = line.mid(key.size()).trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
      value = value.mid(1, value.size() - 2);
    return value;
  }
  return {};
}

QString SystemInfoText(const QString& osReleaseFile) {
  QString system = OsRelease(osReleaseFile);
  if (system.isEmpty()) system = UiText(msg::Ui::SysInfoUnavailable);
  return UiFormat(msg::Ui::SystemInfoText, ALLELESCOPE_VERSION, qVersion(), QT_VERSION_STR,
                  ALLELESCOPE_LIBRARIES, system.toStdString());
}

}  // namespace gui
