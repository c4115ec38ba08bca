// The results panel: after a run, the file the results were saved in, the
// desktop's ways to look at it, and the problems the run found.
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "app/gui/LookWindow.h"
#include "app/gui/MainWindow.h"
#include "app/gui/UiText.h"

namespace gui {

namespace {

constexpr int kProblemRowsShown = 6;  // more scroll

}  // namespace

QWidget* MainWindow::BuildResults() {
  resultsPanel_ = new QWidget(this);
  resultsPanel_->setObjectName(QStringLiteral("resultsPanel"));
  auto* layout = new QVBoxLayout(resultsPanel_);
  layout->setContentsMargins(0, 0, 0, 0);
  // The path has the panel's whole width; the buttons stand below it.
  resultsLabel_ = new QLabel(resultsPanel_);
  resultsLabel_->setObjectName(QStringLiteral("resultsLabel"));
  resultsLabel_->setWordWrap(true);
  resultsLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(resultsLabel_);
  auto* saved = new QHBoxLayout;
  saved->addStretch(1);
  auto* open = new QPushButton(UiText(msg::Ui::OpenInSpreadsheet), resultsPanel_);
  open->setObjectName(QStringLiteral("openResultsButton"));
  connect(open, &QPushButton::clicked, this,
          [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(savedPath_)); });
  saved->addWidget(open);
  auto* folder = new QPushButton(UiText(msg::Ui::ShowInFolder), resultsPanel_);
  folder->setObjectName(QStringLiteral("showFolderButton"));
  connect(folder, &QPushButton::clicked, this, [this] {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(savedPath_).absolutePath()));
  });
  saved->addWidget(folder);
  layout->addLayout(saved);

  problemsLabel_ = new QLabel(resultsPanel_);
  problemsLabel_->setObjectName(QStringLiteral("problemsLabel"));
  problemsLabel_->setWordWrap(true);
  layout->addWidget(problemsLabel_);
  problemList_ = ProblemTable(resultsPanel_);
  problemList_->setMaximumHeight(problemList_->horizontalHeader()->sizeHint().height() +
                                 kProblemRowsShown *
                                     problemList_->verticalHeader()->defaultSectionSize() +
                                 2 * problemList_->frameWidth());
  layout->addWidget(problemList_);
  resultViews_ = new QTabWidget(resultsPanel_);
  resultViews_->setObjectName(QStringLiteral("resultViews"));
  layout->addWidget(resultViews_, 1);
  resultsPanel_->hide();
  return resultsPanel_;
}

void MainWindow::ShowResults(const QString& saved, const std::vector<app::DataProblem>& problems,
                             const std::string& errorSheet) {
  savedPath_ = saved;
  if (saved.isEmpty()) {
    resultsPanel_->hide();
    return;
  }
  resultsLabel_->setText(
      UiFormat(msg::Cli::ResultsSaved, QDir::toNativeSeparators(saved).toStdString()));
  problemsLabel_->setText(UiFormat(msg::Ui::ProblemsOnSheet, errorSheet));
  FillProblemTable(problemList_, problems);
  problemsLabel_->setVisible(!problems.empty());
  problemList_->setVisible(!problems.empty());
  while (resultViews_->count() > 0) {
    QWidget* view = resultViews_->widget(0);
    resultViews_->removeTab(0);
    delete view;
  }
  resultViews_->hide();
  resultsPanel_->show();
}

std::vector<app::DataProblem> MainWindow::ProblemsOf(const app::RunReport& report,
                                                     const std::string& sheet) {
  // The run keeps only the kinds of problem; the findings are read again,
  // as the run read them, from the source it saved.
  if (!report.HasProblems() || !session_->IsOpen()) return {};
  try {
    return app::ReadCheckedSource(*session_, sheet).problems;
  } catch (const std::exception&) {  // a host error among them
    return {};
  }  // the closing message still names each kind found
}

std::string MainWindow::WrittenSheet(const app::RunReport& report, const char* suffix) {
  for (const std::string& name : report.sheetsWritten)
    if (QString::fromStdString(name).endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
      return name;
  return {};
}

void MainWindow::ShowResultViews(const app::RunReport& report, const std::string& sheet) {
  if (report.HasProblems() || !session_->IsOpen()) return;
  const std::string summary = WrittenSheet(report, ".sum");
  const std::string tree = WrittenSheet(report, ".tree");
  const struct {
    const std::string& shownOn;
    Look look;
    msg::Ui title;
  } views[] = {{summary, Look::LocusTable, msg::Ui::LocusTableTitle},
               {tree, Look::Tree, msg::Ui::TreeTitle},
               {tree, Look::Map, msg::Ui::MapTitle}};
  for (const auto& view : views) {
    if (view.shownOn.empty()) continue;
    try {
      QWidget* shown = LookWidget(sheet, view.look);
      shown->setMinimumSize(0, 0);  // it scrolls: the window keeps the size the user gave it
      resultViews_->addTab(shown, UiFormat(view.title, view.shownOn));
    } catch (const std::exception&) {
      // The saved file holds the results; a view that cannot be made is left out.
    }
  }
  resultViews_->setVisible(resultViews_->count() > 0);
}

}  // namespace gui
