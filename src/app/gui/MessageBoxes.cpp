#include "app/gui/MessageBoxes.h"

#include <utility>

namespace gui {

namespace {
MessageFunction& Override() {
  static MessageFunction function;
  return function;
}
QuestionFunction& QuestionOverride() {
  static QuestionFunction function;
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

bool AskQuestion(QWidget* parent, const QString& title, const QString& text) {
  if (QuestionOverride()) return QuestionOverride()(parent, title, text);
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::No);  // going ahead can lose work: never by Enter alone
  box.setTextFormat(Qt::PlainText);
  return box.exec() == QMessageBox::Yes;
}

void SetQuestionFunction(QuestionFunction function) { QuestionOverride() = std::move(function); }

}  // namespace gui
