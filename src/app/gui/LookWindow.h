#pragma once
// Looks at a source that write nothing into the workbook (the smallest marker
// set, the locus table, a tree, the principal coordinates): each in a window
// of its own beside the main window, and the data problems that stop them.
#include <QString>
#include <string>
#include <vector>

#include "app/core/SourceCheck.h"

class QDialog;
class QTableWidget;
class QWidget;

namespace gui {

// Shows `content` in a window named `name` (replacing one of that name) with
// a Close button; the window goes when it is closed.
QDialog* ShowLook(QWidget* parent, const QString& name, const QString& title, QWidget* content);

QWidget* TextLook(const std::string& text);
// Tab-separated lines, the first the columns' heads.
QWidget* TableLook(const std::string& tsv);
QWidget* PictureLook(const std::string& png);
// The problems found, a row each, then that nothing was made.
QWidget* ProblemsLook(const std::vector<app::DataProblem>& problems);

// A table of `problems`: the problem, its variety, marker and cell.
QTableWidget* ProblemTable(QWidget* parent);
void FillProblemTable(QTableWidget* table, const std::vector<app::DataProblem>& problems);

}  // namespace gui
