// What the menus offer besides a run: other programs' genotype files made
// into a workbook and the chosen source written as one, and looks at the
// source that write nothing into the workbook.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <array>

#include "app/core/Export.h"
#include "app/core/Import.h"
#include "app/core/LocusReport.h"
#include "app/core/MarkerSearch.h"
#include "app/core/Relate.h"
#include "app/core/TextFile.h"
#include "app/gui/LookWindow.h"
#include "app/gui/MainWindow.h"
#include "app/gui/MessageBoxes.h"
#include "app/gui/UiText.h"
#include "app/gui/WaitCursor.h"
#include "host/HostError.h"

namespace gui {

namespace {

struct ExportChoice {
  msg::Ui filter;
  app::ExportFormat format;
  const char* suffix;
};
constexpr std::array kExports = {
    ExportChoice{msg::Ui::GenepopFilter, app::ExportFormat::Genepop, "gen"},
    ExportChoice{msg::Ui::StructureFilter, app::ExportFormat::Structure, "str"},
    ExportChoice{msg::Ui::GenalexFilter, app::ExportFormat::Genalex, "csv"}};

struct LookChoice {
  MainWindow::Look look;
  const char* name;  // the window's and the menu entry's object names
  msg::Ui entry;
  msg::Ui title;
};
constexpr std::array kLooks = {
    LookChoice{MainWindow::Look::Markers, "markers", msg::Ui::MenuMarkers, msg::Ui::MarkersTitle},
    LookChoice{MainWindow::Look::LocusTable, "locusTable", msg::Ui::MenuLocusTable,
               msg::Ui::LocusTableTitle},
    LookChoice{MainWindow::Look::Tree, "tree", msg::Ui::MenuTree, msg::Ui::TreeTitle},
    LookChoice{MainWindow::Look::Map, "map", msg::Ui::MenuMap, msg::Ui::MapTitle}};

// The path with `suffix` added when the user typed a name without one.
QString WithSuffix(const QString& path, const char* suffix) {
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  return path + QLatin1Char('.') + QLatin1String(suffix);
}

QWidget* RelateLook(app::Session& session, const std::string& sheet, app::RelateFile file) {
  app::RelateRequest request;
  request.file = file;
  const app::RelateResult done = app::RelateSource(session, sheet, request);
  if (!done.problems.empty()) return ProblemsLook(done.problems);
  if (done.text.empty()) {
    std::string pairs;
    for (const app::VarietyPair& p : done.withoutDistance)
      (pairs += msg::Format(msg::Cli::PairWithoutDistance, p.first, p.second)) += '\n';
    return TextLook(pairs);
  }
  return PictureLook(done.text);
}

QWidget* LookContent(app::Session& session, const std::string& sheet, MainWindow::Look look) {
  switch (look) {
    case MainWindow::Look::Markers: {
      const app::MarkerSearch search = app::SearchMarkers(session, sheet);
      if (!search.problems.empty()) return ProblemsLook(search.problems);
      return TextLook(app::DescribeChoice(search));
    }
    case MainWindow::Look::LocusTable: {
      const app::LocusReport table = app::SummarizeSource(session, sheet, app::TableFormat::Tsv);
      if (!table.problems.empty()) return ProblemsLook(table.problems);
      return TableLook(table.text);
    }
    case MainWindow::Look::Tree:
      return RelateLook(session, sheet, app::RelateFile::TreePng);
    case MainWindow::Look::Map:
      return RelateLook(session, sheet, app::RelateFile::MapPng);
  }
  return nullptr;
}

}  // namespace

void MainWindow::AddFileTools(QMenu* file) {
  QAction* import = file->addAction(UiText(msg::Ui::MenuImport), this, &MainWindow::ImportClicked);
  import->setObjectName(QStringLiteral("importAction"));
  QAction* exportAction =
      file->addAction(UiText(msg::Ui::MenuExport), this, &MainWindow::ExportClicked);
  exportAction->setObjectName(QStringLiteral("exportAction"));
  sourceActions_.push_back(exportAction);
}

void MainWindow::AddLooks(QMenu* analysis) {
  for (const LookChoice& c : kLooks) {
    QAction* entry = analysis->addAction(UiText(c.entry), this, [this, c] { ShowLookAt(c.look); });
    entry->setObjectName(QLatin1String(c.name) + QStringLiteral("Action"));
    sourceActions_.push_back(entry);
  }
}

void MainWindow::ImportClicked() {
  if (running_) return;
  const QString input =
      AskFile(this, {false,
                     UiText(msg::Ui::ImportDialogTitle),
                     directory_,
                     {UiText(msg::Ui::ImportFilter), UiText(msg::Ui::AllFilesFilter)}})
          .path;
  if (input.isEmpty()) return;
  const QFileInfo info(input);
  const QString proposed = info.absoluteDir().filePath(info.completeBaseName() + ".xlsx");
  const QString output =
      AskFile(this,
              {true, UiText(msg::Ui::ImportSaveTitle), proposed, {UiText(msg::Ui::XlsxFilter)}})
          .path;
  if (output.isEmpty()) return;
  const QString workbook = WithSuffix(output, "xlsx");
  try {
    const app::ImportReport done =
        app::ImportFile(input.toStdString(), workbook.toStdString(), std::nullopt);
    if (OpenChosenWorkbook(workbook))
      SetComment(msg::Format(msg::Cli::ImportWritten, workbook.toStdString(), done.varieties,
                             done.markers));
  } catch (const app::ImportError& e) {
    ShowMessage(this, QMessageBox::Warning, UiText(msg::Ui::ProgramTitle),
                UiFormat(msg::Cli::ImportProblem, input.toStdString(), e.Line(), e.Reason()));
  } catch (const std::exception& e) {
    ReportError(UiText(msg::Ui::OpenFailed), e);
  }
}

void MainWindow::ExportClicked() {
  if (running_ || chosenSheet_.empty()) return;
  QStringList filters;
  for (const ExportChoice& c : kExports) filters << UiText(c.filter);
  const QString base = FromUtf8(chosenSheet_).section(QLatin1Char('.'), 0, 0);
  const FileAnswer answer =
      AskFile(this, {true, UiText(msg::Ui::ExportDialogTitle),
                     QFileInfo(openedPath_).absoluteDir().filePath(base + ".gen"), filters});
  if (answer.path.isEmpty()) return;
  const ExportChoice& choice = kExports.at(static_cast<std::size_t>(answer.filter));
  try {
    WriteExport(WithSuffix(answer.path, choice.suffix).toStdString(), choice.format);
  } catch (const host::HostError& e) {
    ReportError(UiText(msg::Ui::SheetUnreadable), e);
  } catch (const std::exception& e) {
    ReportError(UiText(msg::Ui::SheetUnreadable), e);
  }
}

void MainWindow::WriteExport(const std::string& path, app::ExportFormat format) {
  const app::ExportResult done = app::ExportSource(*session_, chosenSheet_, format);
  const QString title = UiText(msg::Ui::ExportDialogTitle);
  if (!done.problems.empty()) {
    ShowLook(this, QStringLiteral("exportProblems"), title, ProblemsLook(done.problems));
    return;
  }
  // A text under a workbook's name would pass for a workbook no spreadsheet program opens.
  if (const auto fault = app::NamesAWorkbook(path)
                             ? std::optional(msg::Format(msg::Cli::OutputNamesWorkbook, path))
                             : app::WriteTextFile(path, done.text)) {
    ShowMessage(this, QMessageBox::Warning, UiText(msg::Ui::ProgramTitle), FromUtf8(*fault));
    return;
  }
  SetComment(msg::Format(msg::Cli::ExportWritten, path));
  const std::string changes = app::DescribeChanges(done, format);
  if (!changes.empty()) ShowLook(this, QStringLiteral("exportChanges"), title, TextLook(changes));
}

QWidget* MainWindow::LookWidget(const std::string& sheet, Look look) {
  return LookContent(*session_, sheet, look);
}

void MainWindow::ShowLookAt(Look look) {
  if (running_ || chosenSheet_.empty()) return;
  const LookChoice& choice = kLooks.at(static_cast<std::size_t>(look));
  QWidget* content = nullptr;
  try {
    WaitCursor wait;
    content = LookWidget(chosenSheet_, look);
  } catch (const host::HostError& e) {
    ReportError(UiText(msg::Ui::SheetUnreadable), e);
  } catch (const std::exception& e) {
    ReportError(UiText(msg::Ui::SheetUnreadable), e);
  }
  if (content != nullptr)
    ShowLook(this, QLatin1String(choice.name) + QStringLiteral("Window"),
             UiFormat(choice.title, chosenSheet_), content);
}

}  // namespace gui
