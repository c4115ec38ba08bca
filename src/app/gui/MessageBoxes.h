#pragma once
// Every message box and file dialog of the windows goes through here, so that
// a test can read what the user would be told, and answer, without a modal
// loop waiting for a click.
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>

namespace gui {

using MessageFunction = std::function<void(QWidget* parent, QMessageBox::Icon icon,
                                           const QString& title, const QString& text)>;

// A modal box with an OK button only; returns when it is closed.
void ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                 const QString& text);

// Replaces the box for the whole program; an empty function brings the box back.
void SetMessageFunction(MessageFunction function);

using QuestionFunction =
    std::function<bool(QWidget* parent, const QString& title, const QString& text)>;

// A modal warning with Yes and No, No the default; true when the user chose Yes.
bool AskQuestion(QWidget* parent, const QString& title, const QString& text);

// Replaces the question box for the whole program; an empty function brings it back.
void SetQuestionFunction(QuestionFunction function);

using OpenFunction = std::function<QString(QWidget* parent, const QString& folder)>;

// The desktop's file dialog for one workbook, starting in `folder`; the path
// chosen, or empty when the user cancelled.
QString AskWorkbook(QWidget* parent, const QString& folder);

// Replaces the file dialog for the whole program; an empty function brings it back.
void SetOpenFunction(OpenFunction function);

// A file to read or to write, asked for in the desktop's file dialog.
struct FileQuestion {
  bool save = false;  // a new file (the dialog asks before replacing one)
  QString title;
  QString folder;
  QStringList filters;  // the first is chosen at the start
};
struct FileAnswer {
  QString path;    // empty when the user cancelled
  int filter = 0;  // the index of the filter chosen
};
using FileFunction = std::function<FileAnswer(QWidget* parent, const FileQuestion& question)>;

FileAnswer AskFile(QWidget* parent, const FileQuestion& question);

// Replaces the file dialog for the whole program; an empty function brings it back.
void SetFileFunction(FileFunction function);

}  // namespace gui
