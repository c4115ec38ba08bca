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
  setObjectName(QStringLiteral("aboutWindow"));
  setFont(GothicFont(9));
  const TwipScale tw(*this);
  setFixedSize(tw(6210), tw(3555));
  setWindowIcon(AppIcon());

  iconLabel_ = new QLabel(this);
  iconLabel_->setObjectName(QStringLiteral("iconLabel"));
  iconLabel_->setGeometry(tw.Rect(240, 240, 540, 540));
  iconLabel_->setPixmap(AppPixmap(iconLabel_->width()));

  titleLabel_ = new QLabel(this);
  titleLabel_->setObjectName(QStringLiteral("titleLabel"));
  titleLabel_->setFont(GothicFont(14.25));
  PlaceLabel(titleLabel_, tw.Rect(1050, 240, 3885, 480));

  versionLabel_ = new QLabel(this);
  versionLabel_->setObjectName(QStringLiteral("versionLabel"));
  versionLabel_->setFont(GothicFont(9.75));
  PlaceLabel(versionLabel_, tw.Rect(1050, 780, 3885, 225));

  descriptionLabel_ = new QLabel(this);
  descriptionLabel_->setObjectName(QStringLiteral("descriptionLabel"));
  descriptionLabel_->setGeometry(tw.Rect(1050, 1125, 3885, 1170));
  descriptionLabel_->setWordWrap(true);
  descriptionLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  disclaimerLabel_ = new QLabel(this);
  disclaimerLabel_->setObjectName(QStringLiteral("disclaimerLabel"));
  disclaimerLabel_->setGeometry(tw.Rect(240, 2625, 3750, 825));
  disclaimerLabel_->setWordWrap(true);
  disclaimerLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  disclaimerLabel_->setText(UiText(msg::Ui::Disclaimer));

  okButton_ = new QPushButton(UiText(msg::Ui::OkButton), this);
  okButton_->setObjectName(QStringLiteral("okButton"));
  okButton_->setGeometry(tw.Rect(4320, 2625, 1380, 345));
  okButton_->setDefault(true);  // Enter; Escape closes the dialog as well
  connect(okButton_, &QPushButton::clicked, this, &AboutWindow::OkClicked);

  systemInfoButton_ = new QPushButton(UiText(msg::Ui::SysInfoButton), this);
  systemInfoButton_->setObjectName(QStringLiteral("systemInfoButton"));
  systemInfoButton_->setGeometry(tw.Rect(4320, 3075, 1380, 345));
  connect(systemInfoButton_, &QPushButton::clicked, this, &AboutWindow::SystemInfoClicked);

  // Form_Load
  const std::string_view title = msg::Text(msg::Ui::ProgramTitle);
  setWindowTitle(UiFormat(msg::Ui::AboutCaption, title));
  versionLabel_->setText(VersionText(QStringLiteral(ALLELESCOPE_VERSION)));
  titleLabel_->setText(FromUtf8(title));
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

void AboutWindow::OkClicked() { close(); }

void AboutWindow::SystemInfoClicked() {
  ShowMessage(this, QMessageBox::NoIcon, UiText(msg::Ui::SystemInfoTitle), SystemInfoText());
}

}  // namespace gui
