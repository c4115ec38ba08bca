#pragma once
// What the window remembers between sessions (QSettings): the workbooks
// opened last, the sheet chosen in each, and the window's size and place.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace gui {

class WindowSettings {
 public:
  static constexpr int kRecentCount = 8;

  // The workbooks opened last, the newest first.
  QStringList RecentWorkbooks() const;
  // Puts `path` first, once, keeping at most kRecentCount.
  void AddRecentWorkbook(const QString& path);
  void ClearRecentWorkbooks();

  // The sheet last chosen in `workbook`, empty when none was.
  QString ChosenSheet(const QString& workbook) const;
  void SetChosenSheet(const QString& workbook, const QString& sheet);

  QByteArray WindowGeometry() const;
  void SetWindowGeometry(const QByteArray& geometry);
};

}  // namespace gui
