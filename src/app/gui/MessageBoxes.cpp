#include "app/gui/MessageBoxes.h"

#include <utility>

namespace gui {

namespace {
MessageFunction& Override() {
  static MessageFunction function;
  return function;
}
}  // namespace

void ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                 const QString& text) {
  if (Override()) {
    Override()(parent, icon, title, text);
    return;
  }
  QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);  // file names and reasons are never markup
  box.exec();
}

void SetMessageFunction(MessageFunction function) { Override() = std::move(function); }

}  // namespace gui
