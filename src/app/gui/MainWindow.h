#pragma once
// The main window: walks to a workbook, lists its sheets, runs the analysis of
// the chosen source sheet. The work is done by app::Session; the window only
// turns clicks into session calls and shows what the session reports.
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "app/core/Session.h"
#include "app/core/StatusSink.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace host {
class HostError;
}

namespace gui {

class AboutWindow;

class MainWindow : public QWidget, public app::StatusSink {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // StatusSink: what the session reports.
  void SetMessage(const std::string& text) override;
  void SetComment(const std::string& text) override;
  void ShowClosingMessage(const std::string& text) override;
  void SetSheetList(const std::vector<std::string>& names) override;
  void SetStartEnabled(bool enabled) override;
  void SetOptions(bool enabled, bool zoo, bool combination, bool ukai) override;

  // Shows `path` in the drive, directory and file lists (a folder the user walked to).
  bool SetDirectory(const QString& path);
  QString Directory() const { return directory_; }
  // Walks to the workbook's folder and clicks it in the file list.
  bool OpenWorkbook(const QString& path);
  // Clicks the sheet of that name in the sheet list.
  bool ChooseSheet(const QString& name);
  // Presses Start.
  void Start();
  bool Running() const { return running_; }

  app::Session& GetSession() { return *session_; }
  AboutWindow* About() const { return about_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void BuildControls();
  void FillDrives();
  void FillDirectories();
  void FillFiles();

  void drvBook_Change(int index);
  void dirBook_Change(QListWidgetItem* item);
  void filBook_Click(QListWidgetItem* item);
  void lstSheet_Click();
  void cmdExec_Click();
  void cmdExit_Click();
  void cmdInformation_Click();

  void ReportError(const QString& heading, const host::HostError& error);
  void ReportError(const QString& heading, const std::exception& error);
  // Lets the labels repaint during a run, at most every few dozen milliseconds,
  // while clicks and keys wait until the run has ended.
  void Repaint(bool now);

  QLabel* lblTitle1_;
  QLabel* Label1_;
  QComboBox* drvBook_;
  QListWidget* dirBook_;
  QListWidget* filBook_;
  QListWidget* lstSheet_;
  QLabel* lblMessage_;
  QLabel* lblComment_;
  QGroupBox* fraOption_;
  QCheckBox* chkCombination_;
  QCheckBox* chkUKai_;
  QCheckBox* chkZoo_;
  QPushButton* cmdExec_;
  QPushButton* cmdExit_;
  QPushButton* cmdInformation_;

  std::unique_ptr<app::Session> session_;
  QPointer<AboutWindow> about_;
  QString directory_;
  QString openedPath_;  // the workbook the session holds, empty before the first
  QElapsedTimer repaintClock_;
  bool fillingSheets_ = false;
  bool running_ = false;
  bool quit_ = false;
};

}  // namespace gui
