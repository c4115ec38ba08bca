#include "app/gui/SystemInfo.h"

#include <QProcess>
#include <QStandardPaths>

namespace gui {

QStringList SystemInfoCandidates() {
  return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
          QStringLiteral("lshw-gtk"), QStringLiteral("gnome-system-monitor")};
}

QString FindSystemInfoProgram(const QStringList& candidates) {
  for (const QString& name : candidates) {
    const QString path = QStandardPaths::findExecutable(name);
    if (!path.isEmpty()) return path;
  }
  return {};
}

bool StartSysInfo() {
  const QString program = FindSystemInfoProgram();
  if (program.isEmpty()) return false;
  return QProcess::startDetached(program, {});
}

}  // namespace gui
