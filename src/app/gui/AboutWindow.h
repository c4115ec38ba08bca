#pragma once
// The about window: title, version, a legal notice and a way to the desktop's
// system information program. Shown without blocking the main window.
#include <QDialog>

class QLabel;
class QPushButton;

namespace gui {

class AboutWindow : public QDialog {
  Q_OBJECT

 public:
  explicit AboutWindow(QWidget* parent = nullptr);

  // "ﾊﾞｰｼﾞｮﾝ 1.0.0" for the version "1.0.0".
  static QString VersionText(const QString& version);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void OkClicked();
  void SystemInfoClicked();

  QLabel* iconLabel_;
  QLabel* titleLabel_;
  QLabel* versionLabel_;
  QLabel* descriptionLabel_;
  QLabel* disclaimerLabel_;
  QPushButton* okButton_;
  QPushButton* systemInfoButton_;
};

}  // namespace gui
