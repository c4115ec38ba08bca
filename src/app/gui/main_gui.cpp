// The window front end. Without arguments it shows the main window in the
// current folder; a workbook (and a sheet of it) can be given to start there.
//
//   allelescope-gui [WORKBOOK [SHEET]]
//   allelescope-gui --screenshot DIR WORKBOOK SHEET
//
// --screenshot runs the sheet with its default options, answers the closing
// message on standard output, saves DIR/main-window.png and
// DIR/about-window.png and ends: the pictures for the documentation.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTextStream>
#include <QTimer>
#include <csignal>
#include <cstdio>

#include "app/gui/AboutWindow.h"
#include "app/gui/AppIcon.h"
#include "app/gui/MainWindow.h"
#include "app/gui/MessageBoxes.h"
#include "app/gui/UiText.h"
#include "messages/Language.h"

namespace {

int TakeScreenshots(gui::MainWindow& window, const QString& dir, const QString& sheet) {
  QTextStream out(stdout);
  gui::SetMessageFunction(
      [&out](QWidget*, QMessageBox::Icon, const QString& title, const QString& text) {
        out << title << ": " << text << Qt::endl;
      });
  if (!sheet.isEmpty()) {
    if (!window.ChooseSheet(sheet)) {
      out << gui::UiFormat(msg::Cli::WindowNoSheet, sheet.toStdString()) << Qt::endl;
      return 1;
    }
    window.Start();
  }
  QApplication::processEvents();
  if (!QDir().mkpath(dir)) return 1;
  bool saved = window.grab().save(QDir(dir).filePath(QStringLiteral("main-window.png")));

  QMetaObject::invokeMethod(window.findChild<QWidget*>(QStringLiteral("cmdInformation")), "click");
  gui::AboutWindow* about = window.About();
  if (about == nullptr) return 1;
  QApplication::processEvents();
  saved = about->grab().save(QDir(dir).filePath(QStringLiteral("about-window.png"))) && saved;
  return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  std::signal(SIGXFSZ, SIG_IGN);  // a save past ulimit -f fails with a message
  QApplication app(argc, argv);
  msg::UseEnvironmentLanguage();  // after Qt, which hands every locale category to the desktop
  QApplication::setApplicationName(gui::UiText(msg::Ui::ProgramTitle));
  QApplication::setApplicationVersion(QStringLiteral(ALLELESCOPE_VERSION));
  QApplication::setWindowIcon(gui::AppIcon());

  QCommandLineParser parser;
  parser.setApplicationDescription(gui::UiText(msg::Cli::WindowDescription));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                      gui::UiText(msg::Cli::ScreenshotOption),
                                      gui::UiText(msg::Cli::ScreenshotValue));
  parser.addOption(screenshot);
  parser.addPositionalArgument(QStringLiteral("workbook"),
                               gui::UiText(msg::Cli::WindowWorkbookArgument),
                               gui::UiText(msg::Cli::WindowWorkbookSyntax));
  parser.addPositionalArgument(QStringLiteral("sheet"), gui::UiText(msg::Cli::WindowSheetArgument),
                               gui::UiText(msg::Cli::WindowSheetSyntax));
  parser.process(app);
  const QStringList args = parser.positionalArguments();

  gui::MainWindow window;
  window.show();
  const QString sheet = args.size() > 1 ? args[1] : QString();
  if (!args.isEmpty()) {
    const QString problem = window.OpenAtStart(args[0], sheet);
    if (!problem.isEmpty()) {
      std::fprintf(stderr, "%s\n", problem.toUtf8().constData());
      if (parser.isSet(screenshot)) return 1;
    }
  }
  if (parser.isSet(screenshot)) {
    int result = 1;
    QTimer::singleShot(300, &window, [&] {
      result = TakeScreenshots(window, parser.value(screenshot), sheet);
      window.close();
    });
    app.exec();
    return result;
  }
  return app.exec();
}
