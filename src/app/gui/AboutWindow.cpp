#include "app/gui/AboutWindow.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVersionNumber>
#include <algorithm>

#include "app/gui/AppIcon.h"
#include "app/gui/MessageBoxes.h"
#include "app/gui/SystemInfo.h"
#include "app/gui/WindowMetrics.h"

namespace gui {

namespace {

// At least the twip height, and never shorter than the font needs, so no text is cut.
void PlaceLabel(QLabel* label, const QRect& rect) {
  QRect fitted = rect;
  fitted.setHeight(std::max(rect.height(), label->fontMetrics().height()));
  label->setGeometry(fitted);
}

}  // namespace

QString AboutWindow::VersionText(const QString& version) {
  const QVersionNumber number = QVersionNumber::fromString(version);
  return UiFormat(msg::Ui::VersionLabel, number.majorVersion(), number.minorVersion(),
                  number.microVersion());
}

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setFont(GothicFont(9));
  const TwipScale tw(*this);
  setFixedSize(tw(6210), tw(3555));
  setWindowIcon(AppIcon());

  picIcon_ = new QLabel(this);
  picIcon_->setObjectName(QStringLiteral("picIcon"));
  picIcon_->setGeometry(tw.Rect(240, 240, 540, 540));
  picIcon_->setPixmap(AppPixmap(picIcon_->width()));

  lblTitle_ = new QLabel(this);
  lblTitle_->setObjectName(QStringLiteral("lblTitle"));
  lblTitle_->setFont(GothicFont(14.25));
  PlaceLabel(lblTitle_, tw.Rect(1050, 240, 3885, 480));

  lblVersion_ = new QLabel(this);
  lblVersion_->setObjectName(QStringLiteral("lblVersion"));
  lblVersion_->setFont(GothicFont(9.75));
  PlaceLabel(lblVersion_, tw.Rect(1050, 780, 3885, 225));

  lblDescription_ = new QLabel(this);
  lblDescription_->setObjectName(QStringLiteral("lblDescription"));
  lblDescription_->setGeometry(tw.Rect(1050, 1125, 3885, 1170));
  lblDescription_->setWordWrap(true);
  lblDescription_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  lblDisclaimer_ = new QLabel(this);
  lblDisclaimer_->setObjectName(QStringLiteral("lblDisclaimer"));
  lblDisclaimer_->setGeometry(tw.Rect(240, 2625, 3750, 825));
  lblDisclaimer_->setWordWrap(true);
  lblDisclaimer_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblDisclaimer_->setText(UiText(msg::Ui::Disclaimer));

  cmdOK_ = new QPushButton(UiText(msg::Ui::OkButton), this);
  cmdOK_->setObjectName(QStringLiteral("cmdOK"));
  cmdOK_->setGeometry(tw.Rect(4320, 2625, 1380, 345));
  cmdOK_->setDefault(true);  // Enter; Escape closes the dialog as well
  connect(cmdOK_, &QPushButton::clicked, this, &AboutWindow::cmdOK_Click);

  cmdSysInfo_ = new QPushButton(UiText(msg::Ui::SysInfoButton), this);
  cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
  cmdSysInfo_->setGeometry(tw.Rect(4320, 3075, 1380, 345));
  connect(cmdSysInfo_, &QPushButton::clicked, this, &AboutWindow::cmdSysInfo_Click);

  // Form_Load
  const std::string_view title = msg::Text(msg::Ui::ProgramTitle);
  setWindowTitle(UiFormat(msg::Ui::AboutCaption, title));
  lblVersion_->setText(VersionText(QStringLiteral(ALLELESCOPE_VERSION)));
  lblTitle_->setText(FromUtf8(title));
}

void AboutWindow::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  // The etched separator: a grey line with a white one of twice its width just below.
  const TwipScale tw(*this);
  const int thin = std::max(1, tw(15));
  QPainter painter(this);
  painter.fillRect(QRect(QPoint(tw(90), tw(2445)), QPoint(tw(5654), tw(2445) + thin - 1)),
                   QColor(128, 128, 128));
  const int whiteTop = std::max(tw(2460), tw(2445) + thin);
  painter.fillRect(QRect(QPoint(tw(105), whiteTop), QPoint(tw(5654), whiteTop + 2 * thin - 1)),
                   QColor(255, 255, 255));
}

void AboutWindow::cmdOK_Click() { close(); }

void AboutWindow::cmdSysInfo_Click() {
  if (!StartSysInfo()) {
    ShowMessage(this, QMessageBox::NoIcon, UiText(msg::Ui::ProgramTitle),
                UiText(msg::Ui::SysInfoUnavailable));
  }
}

}  // namespace gui
