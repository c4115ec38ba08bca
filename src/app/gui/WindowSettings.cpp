#include "app/gui/WindowSettings.h"

#include <QSettings>
#include <QVariantMap>

namespace gui {

namespace {

const QString kRecentKey = QStringLiteral("recent/workbooks");
const QString kSheetsKey = QStringLiteral("recent/sheets");
const QString kGeometryKey = QStringLiteral("window/geometry");

// One file for the program, whatever the interface language calls it.
QSettings Store() {
  return QSettings(QStringLiteral("AlleleScope"), QStringLiteral("AlleleScope"));
}

}  // namespace

QStringList WindowSettings::RecentWorkbooks() const {
  return Store().value(kRecentKey).toStringList();
}

void WindowSettings::AddRecentWorkbook(const QString& path) {
  QStringList recent = RecentWorkbooks();
  recent.removeAll(path);
  recent.prepend(path);
  while (recent.size() > kRecentCount) recent.removeLast();
  Store().setValue(kRecentKey, recent);
  // The chosen sheets are kept for the listed workbooks only.
  QVariantMap sheets = Store().value(kSheetsKey).toMap();
  for (auto it = sheets.begin(); it != sheets.end();)
    it = recent.contains(it.key()) ? std::next(it) : sheets.erase(it);
  Store().setValue(kSheetsKey, sheets);
}

void WindowSettings::ClearRecentWorkbooks() {
  QSettings store = Store();
  store.remove(kRecentKey);
  store.remove(kSheetsKey);
}

QString WindowSettings::ChosenSheet(const QString& workbook) const {
  return Store().value(kSheetsKey).toMap().value(workbook).toString();
}

void WindowSettings::SetChosenSheet(const QString& workbook, const QString& sheet) {
  QVariantMap sheets = Store().value(kSheetsKey).toMap();
  sheets.insert(workbook, sheet);
  Store().setValue(kSheetsKey, sheets);
}

QByteArray WindowSettings::WindowGeometry() const {
  return Store().value(kGeometryKey).toByteArray();
}

void WindowSettings::SetWindowGeometry(const QByteArray& geometry) {
  Store().setValue(kGeometryKey, geometry);
}

}  // namespace gui
