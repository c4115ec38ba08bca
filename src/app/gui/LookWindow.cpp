#include "app/gui/LookWindow.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "app/gui/UiText.h"

namespace gui {

namespace {

QTableWidgetItem* Item(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

// A number of the table as a reader takes it in: three decimals, a tiny one
// in three significant digits; its every digit stays in the tooltip.
QTableWidgetItem* NumberItem(const QString& text) {
  bool isNumber = false;
  const double value = text.toDouble(&isNumber);
  if (!isNumber) return Item(text);
  const bool whole = !text.contains(QRegularExpression(QStringLiteral("[.eE]")));
  const bool tiny = value != 0 && std::abs(value) < 0.001;
  QTableWidgetItem* item = Item(whole ? text : QString::number(value, tiny ? 'g' : 'f', 3));
  if (!whole) item->setToolTip(text);
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

void FillRow(QTableWidget* table, int row, const QStringList& cells,
             QTableWidgetItem* (*item)(const QString&) = Item) {
  for (int column = 0; column < cells.size(); ++column)
    table->setItem(row, column, item(cells[column]));
}

}  // namespace

QDialog* ShowLook(QWidget* parent, const QString& name, const QString& title, QWidget* content) {
  if (auto* old = parent->findChild<QDialog*>(name)) old->close();
  auto* window = new QDialog(parent);
  window->setObjectName(name);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowTitle(title);
  auto* layout = new QVBoxLayout(window);
  layout->addWidget(content, 1);
  auto* buttons = new QDialogButtonBox(window);
  QPushButton* close =
      buttons->addButton(UiText(msg::Ui::CloseButton), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("closeButton"));
  QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
  layout->addWidget(buttons);
  window->resize(window->sizeHint().expandedTo(QSize(480, 360)));
  window->show();
  return window;
}

QWidget* TextLook(const std::string& text) {
  auto* view = new QPlainTextEdit(FromUtf8(text));
  view->setObjectName(QStringLiteral("lookText"));
  view->setReadOnly(true);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  return view;
}

QWidget* TableLook(const std::string& tsv) {
  QStringList lines = FromUtf8(tsv).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  auto* table = new QTableWidget;
  table->setObjectName(QStringLiteral("lookTable"));
  if (lines.isEmpty()) return table;
  const QStringList heads = lines.takeFirst().split(QLatin1Char('\t'));
  table->setColumnCount(static_cast<int>(heads.size()));
  table->setHorizontalHeaderLabels(heads);
  table->setRowCount(static_cast<int>(lines.size()));
  for (int row = 0; row < lines.size(); ++row)
    FillRow(table, row, lines[row].split(QLatin1Char('\t')), NumberItem);
  table->resizeColumnsToContents();
  return table;
}

QWidget* PictureLook(const std::string& png) {
  auto* picture = new QLabel;
  picture->setObjectName(QStringLiteral("lookPicture"));
  QPixmap pixmap;
  pixmap.loadFromData(reinterpret_cast<const uchar*>(png.data()), static_cast<uint>(png.size()),
                      "PNG");
  picture->setPixmap(pixmap);
  auto* scroll = new QScrollArea;
  scroll->setWidget(picture);
  scroll->setWidgetResizable(false);
  scroll->setMinimumSize(pixmap.size().boundedTo(QSize(800, 600)) + QSize(4, 4));
  return scroll;
}

QWidget* ProblemsLook(const std::vector<app::DataProblem>& problems) {
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  QTableWidget* table = ProblemTable(box);
  FillProblemTable(table, problems);
  layout->addWidget(table, 1);
  auto* said = new QLabel(UiText(msg::Cli::NothingWritten), box);
  said->setWordWrap(true);
  layout->addWidget(said);
  return box;
}

QTableWidget* ProblemTable(QWidget* parent) {
  auto* table = new QTableWidget(0, 4, parent);
  table->setObjectName(QStringLiteral("problemList"));
  table->setHorizontalHeaderLabels({UiText(msg::Ui::ProblemColumn), UiText(msg::Ui::VarietyColumn),
                                    UiText(msg::Ui::MarkerColumn), UiText(msg::Ui::CellColumn)});
  table->verticalHeader()->hide();
  table->horizontalHeader()->setStretchLastSection(true);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  return table;
}

void FillProblemTable(QTableWidget* table, const std::vector<app::DataProblem>& problems) {
  table->setRowCount(static_cast<int>(problems.size()));
  for (int row = 0; row < table->rowCount(); ++row) {
    const app::DataProblem& p = problems[static_cast<std::size_t>(row)];
    FillRow(table, row,
            {FromUtf8(p.text), FromUtf8(p.variety), FromUtf8(p.marker), FromUtf8(p.cell)});
  }
  table->resizeColumnsToContents();
}

}  // namespace gui
