// The drive, folder and file lists of the main window, and opening a workbook
// from them.
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QStorageInfo>
#include <QStyle>
#include <algorithm>

#include "app/gui/MainWindow.h"
#include "app/gui/MessageBoxes.h"
#include "app/gui/WindowMetrics.h"
#include "host/HostError.h"

namespace gui {

namespace {

bool IsWorkbookName(const QString& name) {
  // Office lock files look like workbooks but are not.
  return !name.startsWith(QStringLiteral("~$"));
}

void WarnFolder(QWidget* parent, const QString& path) {
  ShowMessage(
      parent, QMessageBox::Warning, UiText(msg::Ui::ProgramTitle),
      UiText(msg::Ui::FolderUnavailable) + QLatin1Char('\n') + QDir::toNativeSeparators(path));
}

}  // namespace

void MainWindow::FillDrives() {
  QStringList roots;
  roots << QDir::homePath();
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath())) {
      roots << volume.rootPath();
    }
  }
  std::sort(roots.begin() + 1, roots.end());

  // The drive of the current folder is the deepest root it lies under.
  int current = -1;
  qsizetype depth = -1;
  for (int i = 0; i < roots.size(); ++i) {
    const QString& root = roots[i];
    const bool under = directory_ == root ||
                       directory_.startsWith(root.endsWith('/') ? root : root + QLatin1Char('/'));
    if (under && root.size() > depth) {
      current = i;
      depth = root.size();
    }
  }

  driveList_->clear();
  for (const QString& root : roots) driveList_->addItem(QDir::toNativeSeparators(root), root);
  driveList_->setCurrentIndex(current);
  driveList_->setToolTip(current >= 0 ? driveList_->currentText() : QString());
}

void MainWindow::FillDirectories() {
  folderList_->clear();
  const QStyle* style = folderList_->style();
  const QIcon open = style->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style->standardIcon(QStyle::SP_DirClosedIcon);

  // The folders from the root down to the current one, then its subfolders,
  // each level indented a little more (deep paths stop indenting).
  QStringList chain;
  QDir walk(directory_);
  chain.prepend(walk.absolutePath());
  while (!walk.isRoot() && walk.cdUp()) chain.prepend(walk.absolutePath());
  auto indent = [](int level) { return QString(std::min(level, 6) * 2, QLatin1Char(' ')); };
  for (int level = 0; level < chain.size(); ++level) {
    const QFileInfo info(chain[level]);
    const QString name = level == 0 ? QDir::toNativeSeparators(chain[level]) : info.fileName();
    auto* item = new QListWidgetItem(open, indent(level) + name, folderList_);
    item->setData(kPathRole, chain[level]);
  }
  QListWidgetItem* here = folderList_->item(folderList_->count() - 1);
  const QDir dir(directory_);
  for (const QFileInfo& sub :
       dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
    auto* item = new QListWidgetItem(closed, indent(chain.size()) + sub.fileName(), folderList_);
    item->setData(kPathRole, sub.absoluteFilePath());
  }
  folderList_->setCurrentItem(here);
  folderList_->setToolTip(QDir::toNativeSeparators(directory_));
}

void MainWindow::FillFiles() {
  fileList_->clear();
  const QDir dir(directory_);
  const QStringList patterns{QStringLiteral("*.xls"), QStringLiteral("*.xlsx"),
                             QStringLiteral("*.xlsm")};
  for (const QFileInfo& file :
       dir.entryInfoList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase)) {
    if (!IsWorkbookName(file.fileName())) continue;
    auto* item = new QListWidgetItem(file.fileName(), fileList_);
    item->setData(kPathRole, file.absoluteFilePath());
    if (file.absoluteFilePath() == openedPath_) fileList_->setCurrentItem(item);
  }
}

bool MainWindow::SetDirectory(const QString& path) {
  const QFileInfo info(path);
  if (!info.isDir() || !info.isReadable() || !info.isExecutable()) return false;
  directory_ = QDir(info.absoluteFilePath()).canonicalPath();
  FillDrives();
  FillDirectories();
  FillFiles();
  return true;
}

void MainWindow::DriveChosen(int index) {
  const QString root = driveList_->itemData(index).toString();
  if (!SetDirectory(root)) {
    WarnFolder(this, root);
    FillDrives();  // back to the drive of the folder still shown
  }
}

void MainWindow::FolderChosen(QListWidgetItem* item) {
  if (item == nullptr) return;
  const QString path = item->data(kPathRole).toString();
  if (!SetDirectory(path)) {
    WarnFolder(this, path);
  }
}

void MainWindow::FileChosen(QListWidgetItem* item) {
  if (item == nullptr || running_) return;
  // After a failure the list points again at the workbook that is still open.
  if (!OpenPath(item->data(kPathRole).toString())) SelectOpenedFile();
}

bool MainWindow::OpenPath(const QString& path) {
  try {
    session_->Open(path.toStdString());
    openedPath_ = path;
    ShowSheets();
    ShowResults({});
    RememberOpened();
    return true;
  } catch (const host::HostError& error) {
    ReportError(UiText(msg::Ui::OpenFailed), error);
  } catch (const std::exception& error) {
    ReportError(UiText(msg::Ui::OpenFailed), error);
  }
  return false;
}

void MainWindow::SelectOpenedFile() {
  fileList_->clearSelection();
  for (int i = 0; i < fileList_->count(); ++i) {
    if (fileList_->item(i)->data(kPathRole).toString() == openedPath_) fileList_->setCurrentRow(i);
  }
}

bool MainWindow::OpenWorkbook(const QString& path) {
  if (running_) return false;
  const QFileInfo info(path);
  SetDirectory(info.absolutePath());
  const QString wanted = info.canonicalFilePath();
  for (int i = 0; !wanted.isEmpty() && i < fileList_->count(); ++i) {
    QListWidgetItem* item = fileList_->item(i);
    if (QFileInfo(item->data(kPathRole).toString()).canonicalFilePath() == wanted) {
      fileList_->setCurrentItem(item);
      FileChosen(item);
      return openedPath_ == item->data(kPathRole).toString();
    }
  }
  // Not in the list (missing, or not named like a workbook): the session says why.
  if (OpenPath(info.absoluteFilePath())) return true;
  SelectOpenedFile();
  return false;
}

}  // namespace gui
