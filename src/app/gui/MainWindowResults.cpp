// The results panel: after a run, the file the results were saved in, and
// the desktop's ways to look at it.
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include "app/gui/MainWindow.h"
#include "app/gui/UiText.h"

namespace gui {

QWidget* MainWindow::BuildResults() {
  resultsPanel_ = new QWidget(this);
  resultsPanel_->setObjectName(QStringLiteral("resultsPanel"));
  auto* layout = new QHBoxLayout(resultsPanel_);
  layout->setContentsMargins(0, 0, 0, 0);
  resultsLabel_ = new QLabel(resultsPanel_);
  resultsLabel_->setObjectName(QStringLiteral("resultsLabel"));
  resultsLabel_->setWordWrap(true);
  resultsLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(resultsLabel_, 1);
  auto* open = new QPushButton(UiText(msg::Ui::OpenInSpreadsheet), resultsPanel_);
  open->setObjectName(QStringLiteral("openResultsButton"));
  connect(open, &QPushButton::clicked, this,
          [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(savedPath_)); });
  layout->addWidget(open);
  auto* folder = new QPushButton(UiText(msg::Ui::ShowInFolder), resultsPanel_);
  folder->setObjectName(QStringLiteral("showFolderButton"));
  connect(folder, &QPushButton::clicked, this, [this] {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(savedPath_).absolutePath()));
  });
  layout->addWidget(folder);
  resultsPanel_->hide();
  return resultsPanel_;
}

void MainWindow::ShowResults(const QString& saved) {
  savedPath_ = saved;
  if (saved.isEmpty()) {
    resultsPanel_->hide();
    return;
  }
  resultsLabel_->setText(
      UiFormat(msg::Cli::ResultsSaved, QDir::toNativeSeparators(saved).toStdString()));
  resultsPanel_->show();
}

}  // namespace gui
