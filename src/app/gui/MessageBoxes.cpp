#include "app/gui/MessageBoxes.h"

#include <QFileDialog>
#include <algorithm>
#include <utility>

#include "app/gui/UiText.h"

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
OpenFunction& OpenOverride() {
  static OpenFunction function;
  return function;
}
FileFunction& FileOverride() {
  static FileFunction function;
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

QString AskWorkbook(QWidget* parent, const QString& folder) {
  if (OpenOverride()) return OpenOverride()(parent, folder);
  return QFileDialog::getOpenFileName(
      parent, UiText(msg::Ui::OpenDialogTitle), folder,
      UiText(msg::Ui::WorkbookFilter) + QStringLiteral(";;") + UiText(msg::Ui::AllFilesFilter));
}

void SetOpenFunction(OpenFunction function) { OpenOverride() = std::move(function); }

FileAnswer AskFile(QWidget* parent, const FileQuestion& question) {
  if (FileOverride()) return FileOverride()(parent, question);
  const QString filters = question.filters.join(QStringLiteral(";;"));
  QString chosen = question.filters.value(0);
  const QString path =
      question.save
          ? QFileDialog::getSaveFileName(parent, question.title, question.folder, filters, &chosen)
          : QFileDialog::getOpenFileName(parent, question.title, question.folder, filters, &chosen);
  return {path, std::max(0, static_cast<int>(question.filters.indexOf(chosen)))};
}

void SetFileFunction(FileFunction function) { FileOverride() = std::move(function); }

}  // namespace gui
