#include "app/gui/HelpWindow.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/gui/UiText.h"
#include "app/gui/WindowMetrics.h"

namespace gui {

namespace {

QString Heading(msg::Ui id) {
  return QStringLiteral("<h2>%1</h2>").arg(UiText(id).toHtmlEscaped());
}

QString Paragraph(msg::Ui id) {
  return QStringLiteral("<p>%1</p>").arg(UiText(id).toHtmlEscaped());
}

// The corner of a source sheet, with the cells of the bundled SSR example.
QString SourceSketch() {
  const QStringList rows[] = {
      {QString(), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")},
      {QStringLiteral("4"), QStringLiteral("*"), QStringLiteral("SSR01"), QStringLiteral("SSR02")},
      {QStringLiteral("5"), QStringLiteral("Apple-01"), QStringLiteral("140/144"),
       QStringLiteral("206/218")},
      {QStringLiteral("6"), QStringLiteral("Apple-02"), QStringLiteral("144/146"),
       QStringLiteral("212/218")}};
  QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">");
  for (const QStringList& row : rows) {
    html += QStringLiteral("<tr>");
    for (const QString& cell : row) html += QStringLiteral("<td>%1</td>").arg(cell);
    html += QStringLiteral("</tr>");
  }
  return html + QStringLiteral("</table>");
}

// One row per line of the text: the sheet, a tab, what it holds.
QString SheetTable(msg::Ui id) {
  QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"4\">");
  for (const QString& line : UiText(id).split(QLatin1Char('\n'))) {
    const QString sheet = line.section(QLatin1Char('\t'), 0, 0);
    const QString contents = line.section(QLatin1Char('\t'), 1);
    html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                .arg(sheet.toHtmlEscaped(), contents.toHtmlEscaped());
  }
  return html + QStringLiteral("</table>");
}

}  // namespace

QString HelpPage() {
  return QStringLiteral("<h1>%1</h1>").arg(UiText(msg::Ui::HelpTitle).toHtmlEscaped()) +
         Paragraph(msg::Ui::HelpIntro) + Heading(msg::Ui::HelpOpenHeading) +
         Paragraph(msg::Ui::HelpOpenText) + Heading(msg::Ui::HelpSourceHeading) +
         Paragraph(msg::Ui::HelpSourceText) + SourceSketch() +
         Heading(msg::Ui::HelpResultsHeading) + SheetTable(msg::Ui::HelpResultsText) +
         Heading(msg::Ui::HelpCommandLineHeading) + Paragraph(msg::Ui::HelpCommandLineText);
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("helpWindow"));
  setWindowTitle(UiText(msg::Ui::HelpTitle));
  auto* layout = new QVBoxLayout(this);
  auto* browser = new QTextBrowser(this);
  browser->setObjectName(QStringLiteral("helpBrowser"));
  browser->setHtml(HelpPage());
  layout->addWidget(browser, 1);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* close =
      buttons->addButton(UiText(msg::Ui::CloseButton), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("closeHelpButton"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  layout->addWidget(buttons);
  const TwipScale tw(*this);
  resize(tw(9000), tw(9000));
}

}  // namespace gui
