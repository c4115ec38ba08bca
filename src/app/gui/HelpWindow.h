#pragma once
// The help window: how a source sheet is laid out, what each result sheet
// holds, how to open a workbook and the command line, in the interface
// language. Shown without blocking the main window.
#include <QDialog>
#include <QString>

namespace gui {

// The help page as HTML, every text taken from the catalogue and escaped.
QString HelpPage();

class HelpWindow : public QDialog {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);
};

}  // namespace gui
