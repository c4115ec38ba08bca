// The window front end. Without arguments it shows the main window in the
// current folder; a workbook (and a sheet of it) can be given to start there.
//
//   allelescope-gui [WORKBOOK [SHEET]]
//   allelescope-gui --screenshot DIR WORKBOOK SHEET
//
// --screenshot chooses the sheet, runs it with its default options and ends,
// having saved the pictures for the documentation in DIR: main-window-start.png
// (the sheet chosen), file-menu.png and analysis-menu.png (each menu open),
// main-window.png (after the run), about-window.png and help-window.png. It never waits for a
// person: messages go to standard output, and a warning or a question ends it with status 1; the
// remembered window size and recent workbooks are left out. --help and --version need no display.
#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
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

bool Save(const QPixmap& picture, const QString& dir, const char* name) {
  return picture.save(QDir(dir).filePath(QLatin1String(name)));
}

// The window with one of its menus open, as the user sees it: the menu is a
// window of its own, so it is drawn over the window's picture where it stands.
QPixmap WithMenuOpen(gui::MainWindow& window, const char* name) {
  auto* bar = window.findChild<QMenuBar*>(QStringLiteral("menuBar"));
  auto* menu = window.findChild<QMenu*>(QLatin1String(name));
  bar->setActiveAction(menu->menuAction());
  QApplication::processEvents();
  const QPixmap shot = window.grab();
  const QRect where(window.mapFromGlobal(menu->pos()), menu->size());
  const QSize size = shot.deviceIndependentSize().toSize().expandedTo(
      QSize(where.right() + 1, where.bottom() + 1));
  QPixmap both(size * shot.devicePixelRatio());
  both.setDevicePixelRatio(shot.devicePixelRatio());
  both.fill(Qt::transparent);
  QPainter painter(&both);
  painter.drawPixmap(0, 0, shot);
  painter.drawPixmap(where.topLeft(), menu->grab());
  painter.end();
  menu->hide();
  return both;
}

int TakeScreenshots(gui::MainWindow& window, const QString& dir, const QString& sheet) {
  if (!QDir().mkpath(dir)) return 1;
  if (!sheet.isEmpty() && !window.ChooseSheet(sheet)) {
    QTextStream(stdout) << gui::UiFormat(msg::Cli::WindowNoSheet, sheet.toStdString()) << Qt::endl;
    return 1;
  }
  QApplication::processEvents();
  bool saved = Save(window.grab(), dir, "main-window-start.png");
  saved = Save(WithMenuOpen(window, "fileMenu"), dir, "file-menu.png") && saved;
  saved = Save(WithMenuOpen(window, "analysisMenu"), dir, "analysis-menu.png") && saved;
  if (!sheet.isEmpty()) window.Start();
  QApplication::processEvents();
  saved = Save(window.grab(), dir, "main-window.png") && saved;

  QMetaObject::invokeMethod(window.findChild<QWidget*>(QStringLiteral("helpButton")), "click");
  gui::AboutWindow* about = window.About();
  if (about == nullptr) return 1;
  QApplication::processEvents();
  saved = Save(about->grab(), dir, "about-window.png") && saved;

  QMetaObject::invokeMethod(window.findChild<QAction*>(QStringLiteral("helpAction")), "trigger");
  gui::HelpWindow* help = window.Help();
  if (help == nullptr) return 1;
  QApplication::processEvents();
  saved = Save(help->grab(), dir, "help-window.png") && saved;
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
