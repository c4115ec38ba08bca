// The window front end. Without arguments it shows the main window in the
// current folder; a workbook (and a sheet of it) can be given to start there.
//
//   allelescope-gui [WORKBOOK [SHEET]]
//   allelescope-gui --screenshot DIR WORKBOOK SHEET
//
// --screenshot runs the sheet with its default options, saves
// DIR/main-window.png, DIR/about-window.png and DIR/help-window.png and ends: the pictures for the
// documentation. It never waits for a person: messages go to standard output,
// and a warning or a question ends it with status 1; the remembered window
// size and recent workbooks are left out. --help and --version need no display.
#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <iterator>
#include <memory>
#include <string_view>

#include "app/gui/AboutWindow.h"
#include "app/gui/AppIcon.h"
#include "app/gui/MainWindow.h"
#include "app/gui/MessageBoxes.h"
#include "app/gui/UiText.h"
#include "messages/Language.h"

namespace {

// In --screenshot mode nobody is there to answer: every message goes to
// standard output, a question is answered No, and either ends the program
// with status 1 once the pictures are taken.
void AnswerUnattended(bool& failed) {
  gui::SetMessageFunction(
      [&failed](QWidget*, QMessageBox::Icon icon, const QString& title, const QString& text) {
        QTextStream(stdout) << title << ": " << text << Qt::endl;
        if (icon == QMessageBox::Warning || icon == QMessageBox::Critical) failed = true;
      });
  gui::SetQuestionFunction([&failed](QWidget*, const QString& title, const QString& text) {
    QTextStream(stdout) << title << ": " << text << Qt::endl;
    failed = true;
    return false;
  });
}

int TakeScreenshots(gui::MainWindow& window, const QString& dir, const QString& sheet) {
  if (!sheet.isEmpty()) {
    if (!window.ChooseSheet(sheet)) {
      QTextStream(stdout) << gui::UiFormat(msg::Cli::WindowNoSheet, sheet.toStdString())
                          << Qt::endl;
      return 1;
    }
    window.Start();
  }
  QApplication::processEvents();
  if (!QDir().mkpath(dir)) return 1;
  bool saved = window.grab().save(QDir(dir).filePath(QStringLiteral("main-window.png")));

  QMetaObject::invokeMethod(window.findChild<QWidget*>(QStringLiteral("helpButton")), "click");
  gui::AboutWindow* about = window.About();
  if (about == nullptr) return 1;
  QApplication::processEvents();
  saved = about->grab().save(QDir(dir).filePath(QStringLiteral("about-window.png"))) && saved;

  QMetaObject::invokeMethod(window.findChild<QAction*>(QStringLiteral("helpAction")), "trigger");
  gui::HelpWindow* help = window.Help();
  if (help == nullptr) return 1;
  QApplication::processEvents();
  saved = help->grab().save(QDir(dir).filePath(QStringLiteral("help-window.png"))) && saved;
  return saved ? 0 : 1;
}

// The help and the version are text: they need no display, so no window
// system is asked for one.
bool AsksForTextOnly(int argc, char** argv) {
  constexpr std::string_view kTextOnly[] = {"-h", "-?", "--help", "--help-all", "-v", "--version"};
  for (int i = 1; i < argc && std::string_view(argv[i]) != "--"; ++i)
    if (std::find(std::begin(kTextOnly), std::end(kTextOnly), argv[i]) != std::end(kTextOnly))
      return true;
  return false;
}

void AddOptions(QCommandLineParser& parser, const QCommandLineOption& screenshot) {
  parser.setApplicationDescription(gui::UiText(msg::Cli::WindowDescription));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption(screenshot);
  parser.addPositionalArgument(QStringLiteral("workbook"),
                               gui::UiText(msg::Cli::WindowWorkbookArgument),
                               gui::UiText(msg::Cli::WindowWorkbookSyntax));
  parser.addPositionalArgument(QStringLiteral("sheet"), gui::UiText(msg::Cli::WindowSheetArgument),
                               gui::UiText(msg::Cli::WindowSheetSyntax));
}

}  // namespace

int main(int argc, char* argv[]) {
  std::signal(SIGXFSZ, SIG_IGN);  // a save past ulimit -f fails with a message
  const std::unique_ptr<QCoreApplication> app = AsksForTextOnly(argc, argv)
                                                    ? std::make_unique<QCoreApplication>(argc, argv)
                                                    : std::make_unique<QApplication>(argc, argv);
  msg::UseEnvironmentLanguage();  // after Qt, which hands every locale category to the desktop
  QCoreApplication::setApplicationName(gui::UiText(msg::Ui::ProgramTitle));
  QCoreApplication::setApplicationVersion(QStringLiteral(ALLELESCOPE_VERSION));

  QCommandLineParser parser;
  const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                      gui::UiText(msg::Cli::ScreenshotOption),
                                      gui::UiText(msg::Cli::ScreenshotValue));
  AddOptions(parser, screenshot);
  parser.process(*app);  // ends the program after the help or the version
  const QStringList args = parser.positionalArguments();
  const bool unattended = parser.isSet(screenshot);
  bool failed = false;
  // Pictures for the documentation neither follow nor change what the user's
  // window remembers (its size, the recent workbooks).
  QTemporaryDir ownSettings;
  if (unattended) {
    AnswerUnattended(failed);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ownSettings.path());
  }

  QApplication::setWindowIcon(gui::AppIcon());
  gui::MainWindow window;
  window.show();
  const QString sheet = args.size() > 1 ? args[1] : QString();
  if (!args.isEmpty()) {
    const QString problem = window.OpenAtStart(args[0], sheet);
    if (!problem.isEmpty()) {
      std::fprintf(stderr, "%s\n", problem.toUtf8().constData());
      if (unattended) return 1;
    }
  }
  if (!unattended) return QApplication::exec();
  int result = 1;
  QTimer::singleShot(300, &window, [&] {
    result = TakeScreenshots(window, parser.value(screenshot), sheet);
    window.close();
  });
  QApplication::exec();
  return failed ? 1 : result;
}
