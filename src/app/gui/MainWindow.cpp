#include "app/gui/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyle>
#include <algorithm>

#include "app/gui/AboutWindow.h"
#include "app/gui/AppIcon.h"
#include "app/gui/MessageBoxes.h"
#include "app/gui/WindowMetrics.h"
#include "host/HostError.h"

namespace gui {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr qint64 kRepaintIntervalMs = 50;
const QColor kTitleBackground(255, 224, 192);

// The title labels' peach strip (both labels, in twips).
QRect TitleStrip(const TwipScale& tw) {
  return tw.Rect(360, 360, 8295, 615).united(tw.Rect(360, 840, 8295, 375));
}

// A wait cursor for the run; put aside while a message box waits for the user.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

class NormalCursor {
 public:
  NormalCursor() : active_(QApplication::overrideCursor() != nullptr) {
    if (active_) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~NormalCursor() {
    if (active_) QApplication::restoreOverrideCursor();
  }
  NormalCursor(const NormalCursor&) = delete;
  NormalCursor& operator=(const NormalCursor&) = delete;

 private:
  bool active_;
};

// Keeps running_ true for one run, also when the run ends by an exception.
class RunFlag {
 public:
  explicit RunFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunFlag() { flag_ = false; }
  RunFlag(const RunFlag&) = delete;
  RunFlag& operator=(const RunFlag&) = delete;

 private:
  bool& flag_;
};

bool IsWorkbookName(const QString& name) {
  // Office lock files look like workbooks but are not.
  return !name.startsWith(QStringLiteral("~$"));
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QString::fromLatin1(kProgramTitle));
  setWindowIcon(AppIcon());
  setFont(GothicFont(9));
  BuildControls();

  session_ = std::make_unique<app::Session>(*this);
  try {
    session_->Form_Load();
  } catch (const host::HostError& error) {
    ReportError(QStringLiteral("起動できませんでした"), error);
  } catch (const std::exception& error) {
    ReportError(QStringLiteral("起動できませんでした"), error);
  }
  SetDirectory(QDir::currentPath());
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildControls() {
  const TwipScale tw(*this);
  setFixedSize(tw(9120), tw(8190));

  // The two title labels overlap a little; the window paints their common strip
  // so that neither covers the other's text.
  lblTitle1_ = new QLabel(QStringLiteral("DNA AlleleScope"), this);
  lblTitle1_->setObjectName(QStringLiteral("lblTitle1"));
  lblTitle1_->setAlignment(Qt::AlignCenter);
  lblTitle1_->setFont(GothicFont(26.25, true));
  lblTitle1_->setGeometry(tw.Rect(360, 360, 8295, 615));

  Label1_ = new QLabel(QStringLiteral("for Windows Version 1.0"), this);
  Label1_->setObjectName(QStringLiteral("Label1"));
  Label1_->setAlignment(Qt::AlignCenter);
  Label1_->setFont(GothicFont(14.25, true));
  Label1_->setGeometry(tw.Rect(360, 840, 8295, 375));

  drvBook_ = new QComboBox(this);
  drvBook_->setObjectName(QStringLiteral("drvBook"));
  drvBook_->setGeometry(tw.Rect(360, 1800, 2415, 300));
  drvBook_->setGeometry(drvBook_->x(), drvBook_->y(), drvBook_->width(),
                        std::max(drvBook_->height(), drvBook_->sizeHint().height()));
  connect(drvBook_, &QComboBox::activated, this, &MainWindow::drvBook_Change);

  dirBook_ = new QListWidget(this);
  dirBook_->setObjectName(QStringLiteral("dirBook"));
  const int dirTop = std::max(tw(2280), drvBook_->geometry().bottom() + 1 + tw(60));
  dirBook_->setGeometry(tw(360), dirTop, tw(2415), tw(2280 + 3030) - dirTop);
  connect(dirBook_, &QListWidget::itemActivated, this, &MainWindow::dirBook_Change);

  filBook_ = new QListWidget(this);
  filBook_->setObjectName(QStringLiteral("filBook"));
  filBook_->setFont(GothicFont(12));
  filBook_->setGeometry(tw.Rect(3120, 1800, 2415, 3450));
  connect(filBook_, &QListWidget::itemClicked, this, &MainWindow::filBook_Click);
  // Enter opens too; a double click (click, then activate) opens only once.
  connect(filBook_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    if (item->data(kPathRole).toString() != openedPath_) filBook_Click(item);
  });

  lstSheet_ = new QListWidget(this);
  lstSheet_->setObjectName(QStringLiteral("lstSheet"));
  lstSheet_->setFont(GothicFont(12));
  lstSheet_->setGeometry(tw.Rect(5760, 1800, 2895, 3420));
  connect(lstSheet_, &QListWidget::itemSelectionChanged, this, &MainWindow::lstSheet_Click);

  // The status texts are longer than the label is wide: they wrap onto a second
  // line, and the comment label starts below it.
  lblMessage_ = new QLabel(this);
  lblMessage_->setObjectName(QStringLiteral("lblMessage"));
  lblMessage_->setFont(GothicFont(12));
  lblMessage_->setWordWrap(true);
  lblMessage_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const int messageHeight = std::max(tw(255), 2 * lblMessage_->fontMetrics().lineSpacing());
  lblMessage_->setGeometry(tw(360), tw(5640), tw(3735), messageHeight);

  lblComment_ = new QLabel(this);
  lblComment_->setObjectName(QStringLiteral("lblComment"));
  lblComment_->setWordWrap(true);
  lblComment_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const int commentTop = std::max(tw(6120), tw(5640) + messageHeight);
  lblComment_->setGeometry(tw(360), commentTop, tw(3735), tw(6120 + 1575) - commentTop);

  fraOption_ = new QGroupBox(QStringLiteral("Option"), this);
  fraOption_->setObjectName(QStringLiteral("fraOption"));
  fraOption_->setGeometry(tw.Rect(4440, 5640, 2175, 1455));
  auto makeOption = [&](const char* name, const QString& caption, int top, int width) {
    auto* box = new QCheckBox(caption, fraOption_);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(tw(240), tw(top), tw(width), std::max(tw(255), box->sizeHint().height()));
    box->setEnabled(false);
    return box;
  };
  chkCombination_ = makeOption("chkCombination", QStringLiteral("Combination"), 360, 1575);
  chkUKai_ = makeOption("chkUKai", QStringLiteral("ＵＫａｉ"), 720, 1455);
  chkZoo_ = makeOption("chkZoo", QStringLiteral("０/１"), 1080, 1455);

  cmdExec_ = new QPushButton(QStringLiteral("Start"), this);
  cmdExec_->setObjectName(QStringLiteral("cmdExec"));
  cmdExec_->setFont(GothicFont(15.75));
  cmdExec_->setGeometry(tw.Rect(6960, 5640, 1815, 975));
  cmdExec_->setEnabled(false);
  connect(cmdExec_, &QPushButton::clicked, this, &MainWindow::cmdExec_Click);

  cmdExit_ = new QPushButton(QStringLiteral("Quit"), this);
  cmdExit_->setObjectName(QStringLiteral("cmdExit"));
  cmdExit_->setFont(GothicFont(14.25));
  cmdExit_->setGeometry(tw.Rect(6960, 6840, 1815, 855));
  connect(cmdExit_, &QPushButton::clicked, this, &MainWindow::cmdExit_Click);

  cmdInformation_ = new QPushButton(QStringLiteral("Help"), this);
  cmdInformation_->setObjectName(QStringLiteral("cmdInformation"));
  cmdInformation_->setGeometry(tw.Rect(4440, 7320, 2175, 375));
  connect(cmdInformation_, &QPushButton::clicked, this, &MainWindow::cmdInformation_Click);

  // Labels and the frame take no focus; the rest keep the original order.
  QWidget* order[] = {drvBook_, dirBook_,        filBook_, lstSheet_, cmdExec_,
                      cmdExit_, chkCombination_, chkUKai_, chkZoo_,   cmdInformation_};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
  drvBook_->setFocus();
}

void MainWindow::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter painter(this);
  painter.fillRect(TitleStrip(TwipScale(*this)), kTitleBackground);
}

// ---- Drive, directory and file lists -------------------------------------

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

  drvBook_->clear();
  for (const QString& root : roots) drvBook_->addItem(QDir::toNativeSeparators(root), root);
  drvBook_->setCurrentIndex(current);
  drvBook_->setToolTip(current >= 0 ? drvBook_->currentText() : QString());
}

void MainWindow::FillDirectories() {
  dirBook_->clear();
  const QStyle* style = dirBook_->style();
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
    auto* item = new QListWidgetItem(open, indent(level) + name, dirBook_);
    item->setData(kPathRole, chain[level]);
  }
  QListWidgetItem* here = dirBook_->item(dirBook_->count() - 1);
  const QDir dir(directory_);
  for (const QFileInfo& sub :
       dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
    auto* item = new QListWidgetItem(closed, indent(chain.size()) + sub.fileName(), dirBook_);
    item->setData(kPathRole, sub.absoluteFilePath());
  }
  dirBook_->setCurrentItem(here);
  dirBook_->setToolTip(QDir::toNativeSeparators(directory_));
}

void MainWindow::FillFiles() {
  filBook_->clear();
  const QDir dir(directory_);
  const QStringList patterns{QStringLiteral("*.xls"), QStringLiteral("*.xlsx"),
                             QStringLiteral("*.xlsm")};
  for (const QFileInfo& file :
       dir.entryInfoList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase)) {
    if (!IsWorkbookName(file.fileName())) continue;
    auto* item = new QListWidgetItem(file.fileName(), filBook_);
    item->setData(kPathRole, file.absoluteFilePath());
    if (file.absoluteFilePath() == openedPath_) filBook_->setCurrentItem(item);
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

void MainWindow::drvBook_Change(int index) {
  const QString root = drvBook_->itemData(index).toString();
  if (!SetDirectory(root)) {
    ShowMessage(this, QMessageBox::Warning, QString::fromLatin1(kProgramTitle),
                QStringLiteral("フォルダを開けません\n%1").arg(QDir::toNativeSeparators(root)));
    FillDrives();  // back to the drive of the folder still shown
  }
}

void MainWindow::dirBook_Change(QListWidgetItem* item) {
  if (item == nullptr) return;
  const QString path = item->data(kPathRole).toString();
  if (!SetDirectory(path)) {
    ShowMessage(this, QMessageBox::Warning, QString::fromLatin1(kProgramTitle),
                QStringLiteral("フォルダを開けません\n%1").arg(QDir::toNativeSeparators(path)));
  }
}

void MainWindow::filBook_Click(QListWidgetItem* item) {
  if (item == nullptr || running_) return;
  const QString path = item->data(kPathRole).toString();
  try {
    session_->filBook_Click(path.toStdString());
    openedPath_ = path;
  } catch (const host::HostError& error) {
    ReportError(QStringLiteral("ブックを開けませんでした"), error);
  } catch (const std::exception& error) {
    ReportError(QStringLiteral("ブックを開けませんでした"), error);
  }
  // After a failure the list points again at the workbook that is still open.
  if (openedPath_ != path) {
    filBook_->clearSelection();
    for (int i = 0; i < filBook_->count(); ++i) {
      if (filBook_->item(i)->data(kPathRole).toString() == openedPath_) {
        filBook_->setCurrentRow(i);
      }
    }
  }
}

bool MainWindow::OpenWorkbook(const QString& path) {
  const QFileInfo info(path);
  if (!SetDirectory(info.absolutePath())) return false;
  const QString wanted = info.canonicalFilePath();
  for (int i = 0; i < filBook_->count(); ++i) {
    QListWidgetItem* item = filBook_->item(i);
    if (QFileInfo(item->data(kPathRole).toString()).canonicalFilePath() == wanted) {
      filBook_->setCurrentItem(item);
      filBook_Click(item);
      return openedPath_ == item->data(kPathRole).toString();
    }
  }
  return false;
}

// ---- Sheet list, Start, Quit, Help ----------------------------------------

void MainWindow::lstSheet_Click() {
  if (fillingSheets_ || running_) return;
  const QList<QListWidgetItem*> selected = lstSheet_->selectedItems();
  if (selected.isEmpty()) return;
  try {
    session_->lstSheet_Click(selected.front()->text().toStdString());
  } catch (const host::HostError& error) {
    ReportError(QStringLiteral("シートを読めませんでした"), error);
  } catch (const std::exception& error) {
    ReportError(QStringLiteral("シートを読めませんでした"), error);
  }
}

bool MainWindow::ChooseSheet(const QString& name) {
  const QList<QListWidgetItem*> found = lstSheet_->findItems(name, Qt::MatchExactly);
  if (found.isEmpty()) return false;
  lstSheet_->setCurrentItem(found.front());
  return true;
}

void MainWindow::Start() {
  if (cmdExec_->isEnabled()) cmdExec_Click();
}

void MainWindow::cmdExec_Click() {
  if (running_) return;
  session_->chkZoo = chkZoo_->isChecked();
  session_->chkCombination = chkCombination_->isChecked();
  session_->chkUKai = chkUKai_->isChecked();

  RunFlag runFlag(running_);
  WaitCursor wait;
  repaintClock_.start();
  try {
    session_->cmdExec_Click();
  } catch (const host::HostError& error) {
    NormalCursor normal;
    ReportError(QStringLiteral("処理を中止しました"), error);
  } catch (const std::exception& error) {
    NormalCursor normal;
    ReportError(QStringLiteral("処理を中止しました"), error);
  }
  // A legacy .xls is saved as a new .xlsx beside it, and that is what is open now.
  if (const host::Workbook* book = session_->ExcelBook()) {
    const QString reopened = QFileInfo(FromUtf8(book->Path())).absoluteFilePath();
    if (reopened != openedPath_) {
      openedPath_ = reopened;
      if (QFileInfo(reopened).absolutePath() == directory_) FillFiles();
    }
  }
}

void MainWindow::cmdExit_Click() { close(); }

void MainWindow::cmdInformation_Click() {
  if (about_ == nullptr) {
    about_ = new AboutWindow(this);
    about_->setAttribute(Qt::WA_DeleteOnClose);
  }
  about_->show();
  about_->raise();
  about_->activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The run cannot be left half done; the close waits like every other input.
  if (running_) {
    event->ignore();
    return;
  }
  if (!quit_) {
    quit_ = true;
    try {
      session_->cmdExit_Click();
    } catch (const std::exception&) {
      // Quitting closes without saving; there is nothing left to protect.
    }
  }
  if (about_ != nullptr) about_->close();
  event->accept();
}

// ---- StatusSink -------------------------------------------------------------

void MainWindow::SetMessage(const std::string& text) {
  lblMessage_->setText(FromUtf8(text));
  Repaint(true);
}

void MainWindow::SetComment(const std::string& text) {
  lblComment_->setText(FromUtf8(text));
  Repaint(false);
}

void MainWindow::ShowClosingMessage(const std::string& text) {
  NormalCursor normal;
  ShowMessage(this, QMessageBox::NoIcon, QString::fromLatin1(kProgramTitle), MessageLines(text));
}

void MainWindow::SetSheetList(const std::vector<std::string>& names) {
  fillingSheets_ = true;
  lstSheet_->clear();
  for (const std::string& name : names) lstSheet_->addItem(FromUtf8(name));
  lstSheet_->setCurrentRow(-1);
  fillingSheets_ = false;
  Repaint(true);
}

void MainWindow::SetStartEnabled(bool enabled) { cmdExec_->setEnabled(enabled); }

void MainWindow::SetOptions(bool enabled, bool zoo, bool combination, bool ukai) {
  chkZoo_->setEnabled(enabled);
  chkCombination_->setEnabled(enabled);
  chkUKai_->setEnabled(enabled);
  chkZoo_->setChecked(zoo);
  chkCombination_->setChecked(combination);
  chkUKai_->setChecked(ukai);
}

void MainWindow::Repaint(bool now) {
  if (!running_) return;  // outside a run the event loop repaints by itself
  if (!now && repaintClock_.isValid() && repaintClock_.elapsed() < kRepaintIntervalMs) return;
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  repaintClock_.restart();
}

void MainWindow::ReportError(const QString& heading, const host::HostError& error) {
  QString text = heading + QStringLiteral("\n\n") + FromUtf8(error.Operation());
  if (!error.File().empty()) text += QStringLiteral(": ") + FromUtf8(error.File());
  if (!error.Reason().empty()) text += QStringLiteral("\n") + FromUtf8(error.Reason());
  ShowMessage(this, QMessageBox::Warning, QString::fromLatin1(kProgramTitle), text);
}

void MainWindow::ReportError(const QString& heading, const std::exception& error) {
  ShowMessage(this, QMessageBox::Warning, QString::fromLatin1(kProgramTitle),
              heading + QStringLiteral("\n\n") + QString::fromUtf8(error.what()));
}

}  // namespace gui
