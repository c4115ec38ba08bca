// The main and about windows driven through their widgets, offscreen, on
// workbooks written in the test.
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDesktopServices>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <clocale>
#include <memory>

#include "app/gui/AboutWindow.h"
#include "app/gui/HelpWindow.h"
#include "app/gui/MainWindow.h"
#include "app/gui/MessageBoxes.h"
#include "app/gui/UiText.h"
#include "app/gui/WindowMetrics.h"
#include "app/gui/WindowSettings.h"
#include "messages/HostFailureTexts.h"
#include "messages/Language.h"
#include "support/PoFile.h"
#include "support/SourceBook.h"

using gui::UiText;

namespace {

QString ChooseFileText() { return UiText(msg::Ui::ChooseFile); }
QString ChooseSheetText() { return UiText(msg::Ui::ChooseSheet); }

struct Shown {
  QMessageBox::Icon icon;
  QString title;
  QString text;
};

testsupport::SheetLayout CharacterSource(const std::string& name) {
  return {name, {"M1", "M2"}, {"V1", "V2", "V3"}, {{"AB", "AA"}, {"BB", "AB"}, {"AA", "BB"}}};
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// The closing message: the run's lines, then the file the results were saved in.
QString Closing(const QString& lines, const QString& saved) {
  return lines + QStringLiteral("\n\n") +
         gui::UiFormat(msg::Cli::ResultsSaved, QDir::toNativeSeparators(saved).toStdString());
}

QStringList Items(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text().trimmed();
  return texts;
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 public slots:
  // What the desktop was asked to open.
  void OpenUrl(const QUrl& url) { opened_ << url; }

 private:
  QList<QUrl> opened_;
  QTemporaryDir dir_;
  QString bookPath_;
  std::vector<Shown> shown_;
  std::unique_ptr<gui::MainWindow> window_;

  void RecordMessages() {
    gui::SetMessageFunction(
        [this](QWidget*, QMessageBox::Icon icon, const QString& title, const QString& text) {
          shown_.push_back({icon, title, text});
        });
  }

  template <typename T>
  T* Child(const char* name) {
    T* child = window_->findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) qFatal("no control %s", name);
    return child;
  }
  QString Message() { return Child<QLabel>("messageLabel")->text(); }

  // The view activates only an item that the same double click pressed first.
  void Click(QListWidget* list, const QString& text, bool twice = false) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchEndsWith);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    list->scrollToItem(found.front());
    const QPoint at = list->visualItemRect(found.front()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  }
  void OpenBook() {
    QVERIFY(window_->SetDirectory(dir_.path()));
    Click(Child<QListWidget>("fileList"), QStringLiteral("book.xlsx"));
    QCOMPARE(Message(), ChooseSheetText());
  }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    bookPath_ = dir_.filePath(QStringLiteral("book.xlsx"));
    testsupport::SheetLayout bad = testsupport::CleanSsr("Bad.org", 4, 2);
    bad.cells[1][0] = "abc/192";
    bad.cells[2][1] = "150/160/170";
    testsupport::WriteWorkbook(bookPath_.toStdString(),
                               {testsupport::CleanSsr("Apple.org"), CharacterSource("Chr.org"),
                                testsupport::Blank("Notes"), testsupport::Blank("Pear.ssr"), bad});
    WriteFile(dir_.filePath(QStringLiteral("broken.xlsx")), "this is not a workbook");
    WriteFile(dir_.filePath(QStringLiteral("readme.txt")), {});
    QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("sub")));
    RecordMessages();
  }

  // Where the lists leave a workbook opened with its sheet `sheet` chosen.
  void ExpectOpened(const QString& folder, const QString& file, const QString& sheet,
                    msg::Ui message) {
    QCOMPARE(window_->Directory(), QDir(folder).canonicalPath());
    QCOMPARE(Child<QListWidget>("folderList")->currentItem()->data(Qt::UserRole).toString(),
             QDir(folder).canonicalPath());
    QCOMPARE(Child<QListWidget>("fileList")->currentItem()->text(), file);
    QCOMPARE(Child<QListWidget>("sheetList")->currentItem()->text(), sheet);
    QCOMPARE(Message(), UiText(message));
    QVERIFY(Child<QPushButton>("startButton")->isEnabled());
  }
  QList<QAction*> RecentEntries() {
    QList<QAction*> entries;
    for (QAction* action : Child<QMenu>("recentMenu")->actions()) {
      if (action->isSeparator()) break;
      entries << action;
    }
    return entries;
  }
  // A synthetic drag of `path` over the window, then its drop when the window takes it.
  bool Drop(const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = window_->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &drop);
    return drop.isAccepted();
  }

  // Every button shown is wide enough for its caption.
  void ExpectCaptionsFit() {
    for (QAbstractButton* button : window_->findChildren<QAbstractButton*>()) {
      if (button->isVisible())
        QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->objectName()));
    }
  }

  void init() {
    shown_.clear();
    gui::WindowSettings().ClearRecentWorkbooks();
    window_ = std::make_unique<gui::MainWindow>();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }
  void cleanup() {
    gui::SetOpenFunction({});
    window_.reset();
  }

  void theMenusOfferEachActionWithItsShortcut() {
    struct Case {
      const char* action;
      QList<QKeySequence> keys;
    };
    const Case cases[] = {
        {"openAction", {QKeySequence(Qt::CTRL | Qt::Key_O)}},
        {"quitAction", {QKeySequence(Qt::CTRL | Qt::Key_Q)}},
        {"runAction", {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)}},
        {"helpAction", {QKeySequence(Qt::Key_F1)}},
        {"aboutAction", {}},
    };
    for (const Case& c : cases) QCOMPARE(Child<QAction>(c.action)->shortcuts(), c.keys);
    for (const char* menu : {"fileMenu", "analysisMenu", "helpMenu"})
      QVERIFY(!Child<QMenu>(menu)->title().isEmpty());
    QVERIFY(!Child<QAction>("runAction")->isEnabled());
    // The options are in the Analysis menu too, each mirroring its box both ways.
    const QList<QCheckBox*> boxes = Child<QGroupBox>("optionFrame")->findChildren<QCheckBox*>();
    QCOMPARE(boxes.size(), 5);
    OpenBook();
    Click(Child<QListWidget>("sheetList"), QStringLiteral("Apple.org"));
    QVERIFY(Child<QAction>("runAction")->isEnabled());
    for (QCheckBox* box : boxes) {
      auto* action = Child<QAction>(qPrintable(box->objectName() + QStringLiteral("Action")));
      QCOMPARE(action->text(), box->text());
      QVERIFY(action->isCheckable() && action->isEnabled());
      QCOMPARE(action->isChecked(), box->isChecked());
      action->trigger();
      QCOMPARE(box->isChecked(), action->isChecked());
      box->click();
      QCOMPARE(action->isChecked(), box->isChecked());
    }
    Click(Child<QListWidget>("sheetList"), QStringLiteral("Notes"));
    for (QCheckBox* box : boxes)
      QVERIFY(
          !Child<QAction>(qPrintable(box->objectName() + QStringLiteral("Action")))->isEnabled());
  }

  // The keyboard alone: Ctrl+O answers the dialog with a path, F5 runs the sheet it chose.
  void theOpenDialogLandsWhereTheListsLeadAndF5Runs() {
    QTemporaryDir other;
    const QString path = other.filePath(QStringLiteral("copy.xlsx"));
    QVERIFY(QFile::copy(bookPath_, path));
    QString askedIn;
    gui::SetOpenFunction([&](QWidget*, const QString& folder) {
      askedIn = folder;
      return path;
    });
    QVERIFY(window_->SetDirectory(dir_.path()));
    QTest::keyClick(window_.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(askedIn, QDir(dir_.path()).canonicalPath());  // the folder shown
    ExpectOpened(other.path(), QStringLiteral("copy.xlsx"), QStringLiteral("Apple.org"),
                 msg::Ui::SsrChosen);
    QTest::keyClick(window_.get(), Qt::Key_F5);
    QCOMPARE(shown_.size(), std::size_t{1});
    QCOMPARE(shown_[0].text, Closing(UiText(msg::Ui::FinishedNormally), path));
    QVERIFY(!Child<QAction>("runAction")->isEnabled());
    // A cancelled dialog changes nothing.
    gui::SetOpenFunction([](QWidget*, const QString&) { return QString(); });
    QTest::keyClick(window_.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(Message(), ChooseSheetText());
  }

  void aWorkbookDroppedOnTheWindowOpensAsFromTheLists() {
    QVERIFY(!Drop(dir_.filePath(QStringLiteral("readme.txt"))));
    QCOMPARE(Message(), ChooseFileText());
    QVERIFY(Drop(bookPath_));
    ExpectOpened(dir_.path(), QStringLiteral("book.xlsx"), QStringLiteral("Apple.org"),
                 msg::Ui::SsrChosen);
  }

  // The last eight workbooks, the newest first; each reopens with the sheet chosen in it.
  void theRecentListReopensWithTheSheetChosenLast() {
    QTemporaryDir many;
    QStringList paths;
    for (int i = 0; i < 9; ++i) {
      paths << many.filePath(QStringLiteral("book%1.xlsx").arg(i));
      QVERIFY(QFile::copy(bookPath_, paths.back()));
      QVERIFY(window_->OpenWorkbook(paths.back()));
    }
    QVERIFY(window_->ChooseSheet(QStringLiteral("Chr.org")));
    QList<QAction*> entries = RecentEntries();
    QCOMPARE(entries.size(), gui::WindowSettings::kRecentCount);
    QCOMPARE(entries.front()->text(), QDir::toNativeSeparators(paths[8]));
    QCOMPARE(entries.back()->text(), QDir::toNativeSeparators(paths[1]));
    QVERIFY(window_->OpenWorkbook(paths[2]));
    QCOMPARE(RecentEntries().front()->text(), QDir::toNativeSeparators(paths[2]));
    RecentEntries()[1]->trigger();
    ExpectOpened(many.path(), QStringLiteral("book8.xlsx"), QStringLiteral("Chr.org"),
                 msg::Ui::ChrChosen);
    Child<QMenu>("recentMenu")->actions().back()->trigger();  // clear the list
    QVERIFY(RecentEntries().isEmpty());
    QVERIFY(!Child<QMenu>("recentMenu")->isEnabled());
  }

  void f1ShowsTheHelpPageInTheInterfaceLanguage() {
    QTest::keyClick(window_.get(), Qt::Key_F1);
    gui::HelpWindow* help = window_->Help();
    QVERIFY(help != nullptr && help->isVisible());
    QVERIFY(!help->isModal());
    const QString page =
        help->findChild<QTextBrowser*>(QStringLiteral("helpBrowser"))->toPlainText();
    for (msg::Ui id : {msg::Ui::HelpTitle, msg::Ui::HelpSourceHeading, msg::Ui::HelpResultsHeading,
                       msg::Ui::HelpCommandLineHeading})
      QVERIFY2(page.contains(UiText(id)), qPrintable(UiText(id)));
    // Each result sheet has its row, the tab between sheet and contents gone.
    for (const QString& line : UiText(msg::Ui::HelpResultsText).split(QLatin1Char('\n')))
      QVERIFY(page.contains(line.section(QLatin1Char('\t'), 1)));
    QVERIFY(!page.contains(QLatin1Char('\t')));
    QVERIFY(window_->close());
    QTRY_VERIFY(window_->Help() == nullptr);
  }

  void theResultsPanelOffersTheSavedWorkbook() {
    QTemporaryDir other;
    const QString path = other.filePath(QStringLiteral("copy.xlsx"));
    QVERIFY(QFile::copy(bookPath_, path));
    QWidget* panel = Child<QWidget>("resultsPanel");
    QVERIFY(window_->OpenAtStart(path, QStringLiteral("Apple.org")).isEmpty());
    QVERIFY(panel->isHidden());
    window_->Start();
    QVERIFY(panel->isVisible());
    ExpectCaptionsFit();
    QCOMPARE(Child<QLabel>("resultsLabel")->text(),
             gui::UiFormat(msg::Cli::ResultsSaved, QDir::toNativeSeparators(path).toStdString()));
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "OpenUrl");
    QTest::mouseClick(Child<QPushButton>("openResultsButton"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>("showFolderButton"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(opened_, (QList<QUrl>{QUrl::fromLocalFile(path), QUrl::fromLocalFile(other.path())}));
    // Another workbook: the panel belongs to the one before.
    QVERIFY(window_->OpenWorkbook(bookPath_));
    QVERIFY(panel->isHidden());
  }

  void aWorkbookThatCannotBeOpenedSaysWhyInTheWindow() {
    const QString missing = dir_.filePath(QStringLiteral("gone/missing.xlsx"));
    QVERIFY(!window_->OpenAtStart(missing, {}).isEmpty());
    QCOMPARE(shown_.size(), std::size_t{1});
    QCOMPARE(shown_[0].icon, QMessageBox::Warning);
    QVERIFY(shown_[0].text.startsWith(UiText(msg::Ui::OpenFailed)));
    QVERIFY(shown_[0].text.contains(missing));
    const host::Failure gone{host::Operation::Open, host::FailureCode::FileMissing, {}};
    QVERIFY(shown_[0].text.contains(gui::FromUtf8(msg::FailureText(gone, {}))));
    QCOMPARE(Message(), ChooseFileText());
    QVERIFY(RecentEntries().isEmpty());
  }

  void theWindowGrowsAndRemembersItsSize() {
    QVERIFY(window_->minimumSize() != window_->maximumSize());
    QListWidget* files = Child<QListWidget>("fileList");
    const QSize before = files->size();
    const QSize bigger = window_->size() + QSize(300, 200);
    window_->resize(bigger);
    QTRY_VERIFY(files->width() > before.width() && files->height() > before.height());
    QVERIFY(window_->close());
    window_ = std::make_unique<gui::MainWindow>();
    QCOMPARE(window_->size(), bigger);
  }

  void startsWaitingForAFileWithEveryTextVisible() {
    QCOMPARE(Message(), ChooseFileText());
    QVERIFY(Child<QLabel>("commentLabel")->text().isEmpty());
    QVERIFY(!Child<QPushButton>("startButton")->isEnabled());
    QVERIFY(Child<QPushButton>("quitButton")->isEnabled());
    for (const char* name :
         {"zeroOneBox", "combinationBox", "ukaiBox", "summaryBox", "relateBox"}) {
      QVERIFY(!Child<QCheckBox>(name)->isEnabled());
      QVERIFY(!Child<QCheckBox>(name)->isChecked());
    }
    // Fixed captions fit their controls.
    ExpectCaptionsFit();
    for (const char* name : {"titleLabel", "editionLabel"}) {
      QLabel* label = Child<QLabel>(name);
      QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
    }
    // Every status text fits the message label, wrapped, without running into the comment.
    QLabel* message = Child<QLabel>("messageLabel");
    QVERIFY(message->geometry().bottom() < Child<QLabel>("commentLabel")->geometry().top());
    for (msg::Ui id :
         {msg::Ui::ChooseFile, msg::Ui::ChooseSheet, msg::Ui::NoType, msg::Ui::NotSource,
          msg::Ui::SsrChosen, msg::Ui::ChrChosen, msg::Ui::Reading, msg::Ui::ConvertingSsr,
          msg::Ui::CountingChr, msg::Ui::ZeroOneRunning, msg::Ui::CombinationRunning,
          msg::Ui::IdentificationRunning, msg::Ui::Completed}) {
      message->setText(UiText(id));
      QVERIFY2(message->heightForWidth(message->width()) <= message->height(),
               qPrintable(message->text()));
    }
  }

  // LANG decides the language (ctest runs this program under ja_JP and en_US);
  // numbers stay in "C" although Qt handed every locale category to the desktop.
  void speaksTheLanguageOfTheLocaleAndNamesNoOtherSystem() {
    QCOMPARE(std::setlocale(LC_NUMERIC, nullptr), "C");
    const QString banner = Child<QLabel>("editionLabel")->text();
    QVERIFY(banner.contains(QStringLiteral(ALLELESCOPE_VERSION)));
    QVERIFY(!banner.contains(QStringLiteral("Windows")));
    const std::string english(msg::English(msg::Ui::FinishedNormally));
    const bool japanese = qEnvironmentVariable("LANG").startsWith(QStringLiteral("ja"));
    if (japanese && QString::fromLatin1(std::setlocale(LC_MESSAGES, nullptr)) == "C")
      QSKIP("ja_JP.UTF-8 is not installed (scripts/setup.sh)");
    const auto po = testsupport::ReadPo(testsupport::SourcePath("po/ja.po"));
    QCOMPARE(UiText(msg::Ui::FinishedNormally),
             gui::FromUtf8(japanese ? po.at(english).msgstr : english));
    QCOMPARE(Child<QPushButton>("startButton")->text(), UiText(msg::Ui::StartButton));
  }

  void opensTheWorkbookAndSheetNamedOnTheCommandLine() {
    QVERIFY(window_->OpenAtStart(bookPath_, QStringLiteral("Chr.org")).isEmpty());
    QCOMPARE(Message(), UiText(msg::Ui::ChrChosen));
    QVERIFY(Child<QPushButton>("startButton")->isEnabled());
    QCOMPARE(Child<QListWidget>("sheetList")->currentItem()->text(), QStringLiteral("Chr.org"));

    QVERIFY(window_->OpenAtStart(bookPath_, QStringLiteral("Plum.org")).contains("Plum.org"));
    QCOMPARE(Message(), ChooseSheetText());
    const QString missing = dir_.filePath(QStringLiteral("missing.xlsx"));
    QVERIFY(window_->OpenAtStart(missing, {}).contains(missing));
  }

  void aLegacyWorkbookSaysWhereItsResultsWent() {
    QTemporaryDir legacy;
    const QString xls = legacy.filePath(QStringLiteral("old.xls"));
    QVERIFY(
        QFile::copy(QStringLiteral(ALLELESCOPE_SOURCE_DIR "/tests/golden/inputs/legacy.xls"), xls));
    QVERIFY(window_->OpenAtStart(xls, QStringLiteral("Old.org")).isEmpty());
    QTest::mouseClick(Child<QPushButton>("startButton"), Qt::LeftButton);
    const QString xlsx = legacy.filePath(QStringLiteral("old.xlsx"));
    QVERIFY(QFile::exists(xlsx));
    // The closing message says where the results went.
    QCOMPARE(shown_.size(), std::size_t{1});
    QVERIFY(shown_[0].text.endsWith(QStringLiteral("\n\n") +
                                    gui::UiFormat(msg::Ui::SavedElsewhere, xlsx.toStdString())));
    QCOMPARE(Child<QListWidget>("fileList")->currentItem()->text(), QStringLiteral("old.xlsx"));
    // A rerun saves where it opened.
    QVERIFY(window_->ChooseSheet(QStringLiteral("Old.org")));
    QTest::mouseClick(Child<QPushButton>("startButton"), Qt::LeftButton);
    QCOMPARE(shown_.size(), std::size_t{2});
    QVERIFY(shown_[1].text.endsWith(Closing({}, xlsx)));
  }

  void walksFoldersAndListsOnlyWorkbooks() {
    QVERIFY(window_->SetDirectory(dir_.filePath(QStringLiteral("sub"))));
    QListWidget* dirs = Child<QListWidget>("folderList");
    QListWidget* files = Child<QListWidget>("fileList");
    QVERIFY(files->count() == 0);
    // Up to the parent through the folder chain, then down again.
    Click(dirs, QFileInfo(dir_.path()).fileName(), true);
    QCOMPARE(window_->Directory(), QDir(dir_.path()).canonicalPath());
    QCOMPARE(Items(files), (QStringList{"book.xlsx", "broken.xlsx"}));
    QVERIFY(Items(dirs).contains(QStringLiteral("sub")));
    Click(dirs, QStringLiteral("sub"), true);
    QCOMPARE(QFileInfo(window_->Directory()).fileName(), QStringLiteral("sub"));
    // The drive list shows the volume the folder lies on.
    QComboBox* drives = Child<QComboBox>("driveList");
    QVERIFY(drives->currentIndex() >= 0);
    QVERIFY(window_->Directory().startsWith(drives->currentData().toString()));
    // Nothing is opened by walking.
    QCOMPARE(Message(), ChooseFileText());
    QVERIFY(shown_.empty());
  }

  void openingAWorkbookListsItsSheetsAndAFailureKeepsTheWindowUsable() {
    OpenBook();
    QListWidget* sheets = Child<QListWidget>("sheetList");
    const QStringList original{"Apple.org", "Chr.org", "Notes", "Pear.ssr", "Bad.org"};
    QCOMPARE(Items(sheets), original);
    QVERIFY(sheets->selectedItems().isEmpty());

    Click(Child<QListWidget>("fileList"), QStringLiteral("broken.xlsx"));
    QCOMPARE(shown_.size(), std::size_t{1});
    QCOMPARE(shown_[0].icon, QMessageBox::Warning);
    QVERIFY(shown_[0].text.contains(dir_.filePath(QStringLiteral("broken.xlsx"))));
    // The first workbook is still open, listed and selected in the file list.
    QCOMPARE(Items(sheets), original);
    QCOMPARE(Child<QListWidget>("fileList")->currentItem()->text(), QStringLiteral("book.xlsx"));
    Click(sheets, QStringLiteral("Apple.org"));
    QVERIFY(Child<QPushButton>("startButton")->isEnabled());
  }

  void choosingASheetShowsItsOutcome() {
    OpenBook();
    QListWidget* sheets = Child<QListWidget>("sheetList");
    QPushButton* start = Child<QPushButton>("startButton");
    struct Case {
      const char* sheet;
      msg::Ui message;
      bool source;
    };
    const Case cases[] = {{"Apple.org", msg::Ui::SsrChosen, true},
                          {"Notes", msg::Ui::NoType, false},
                          {"Chr.org", msg::Ui::ChrChosen, true},
                          {"Pear.ssr", msg::Ui::NotSource, false}};
    for (const Case& c : cases) {
      Child<QLabel>("commentLabel")->setText(QStringLiteral("left over"));
      Click(sheets, QString::fromUtf8(c.sheet));
      QCOMPARE(Message(), UiText(c.message));
      QVERIFY(Child<QLabel>("commentLabel")->text().isEmpty());
      QCOMPARE(start->isEnabled(), c.source);
      for (const char* name :
           {"zeroOneBox", "combinationBox", "ukaiBox", "summaryBox", "relateBox"})
        QCOMPARE(Child<QCheckBox>(name)->isEnabled(), c.source);
      QVERIFY(!Child<QCheckBox>("zeroOneBox")->isChecked());
      QVERIFY(!Child<QCheckBox>("relateBox")->isChecked());
      QCOMPARE(Child<QCheckBox>("combinationBox")->isChecked(), c.source);
      QCOMPARE(Child<QCheckBox>("ukaiBox")->isChecked(), c.source);
      QCOMPARE(Child<QCheckBox>("summaryBox")->isChecked(), c.source);
    }
    // A second file leaves nothing chosen: Start waits for a sheet again.
    Click(sheets, QStringLiteral("Apple.org"));
    Click(Child<QListWidget>("fileList"), QStringLiteral("book.xlsx"));
    QVERIFY(!start->isEnabled());
    QVERIFY(sheets->selectedItems().isEmpty());
  }

  void runOnAnSsrSheetReportsAndReloads() {
    OpenBook();
    QListWidget* sheets = Child<QListWidget>("sheetList");
    Click(sheets, QStringLiteral("Apple.org"));
    Child<QCheckBox>("zeroOneBox")->setChecked(false);
    Child<QCheckBox>("combinationBox")->setChecked(false);  // the user's choice counts
    QString messageAtClose;
    // Said once the file is saved: a save that fails after it would make it a wrong success.
    const QDateTime before = QFileInfo(bookPath_).lastModified();
    QTest::qWait(20);  // a later save shows a later time
    bool saved = false;
    // The labels repaint during the run: the event loop gets to run (without user input).
    auto loopRan = std::make_shared<bool>(false);
    bool loopRanBeforeClose = false;
    QTimer::singleShot(0, [loopRan] { *loopRan = true; });
    gui::SetMessageFunction(
        [&](QWidget*, QMessageBox::Icon icon, const QString& title, const QString& text) {
          shown_.push_back({icon, title, text});
          messageAtClose = Message();
          loopRanBeforeClose = *loopRan;
          saved = QFileInfo(bookPath_).lastModified() > before;
          QVERIFY(!window_->Running());
        });
    QTest::mouseClick(Child<QPushButton>("startButton"), Qt::LeftButton);
    RecordMessages();

    QCOMPARE(shown_.size(), std::size_t{1});
    QCOMPARE(shown_[0].icon, QMessageBox::NoIcon);
    QCOMPARE(shown_[0].title, UiText(msg::Ui::ProgramTitle));
    QCOMPARE(shown_[0].text, Closing(UiText(msg::Ui::FinishedNormally), bookPath_));
    QCOMPARE(messageAtClose, ChooseSheetText());
    QVERIFY(saved);
    QVERIFY(loopRanBeforeClose);
    QVERIFY(!window_->Running());

    QCOMPARE(Items(sheets).mid(0, 9),
             (QStringList{"Apple.org", "Apple.err", "Apple.ssr", "Apple.gnt", "Apple.all",
                          "Apple.chr", "Apple.pek", "Apple.tssr", "Apple.ukai"}));
    QVERIFY(!Items(sheets).contains(QStringLiteral("Apple.cmb")));
    QCOMPARE(Items(sheets).value(9), QStringLiteral("Apple.sum"));  // on by default
    QVERIFY(sheets->selectedItems().isEmpty());
    QCOMPARE(Message(), ChooseSheetText());
    QVERIFY(!Child<QPushButton>("startButton")->isEnabled());
    QVERIFY(Child<QCheckBox>("ukaiBox")->isChecked());
  }

  void closingMessageShowsEachProblemOnItsOwnLine() {
    OpenBook();
    Click(Child<QListWidget>("sheetList"), QStringLiteral("Bad.org"));
    QTest::mouseClick(Child<QPushButton>("startButton"), Qt::LeftButton);
    QCOMPARE(shown_.size(), std::size_t{1});
    QCOMPARE(shown_[0].text,
             Closing(UiText(msg::Ui::NonNumeric) + QLatin1Char('\n') + UiText(msg::Ui::NotDiploid),
                     bookPath_));
    QCOMPARE(gui::MessageLines("a\r\rb\r"), QStringLiteral("a\n\nb"));
  }

  void aRunThatCannotSaveStopsWithAWarningAndWaitsForASheet() {
    QTemporaryDir gone;
    const QString path = gone.filePath(QStringLiteral("book.xlsx"));
    QVERIFY(QFile::copy(bookPath_, path));
    QVERIFY(window_->OpenWorkbook(path));
    QVERIFY(window_->ChooseSheet(QStringLiteral("Apple.org")));
    // The folder goes while the run works (its labels repaint through the
    // event loop): the save at its end has nowhere to go.
    QTimer::singleShot(0, [&gone] { QVERIFY(gone.remove()); });
    QTest::mouseClick(Child<QPushButton>("startButton"), Qt::LeftButton);

    QVERIFY(!window_->Running());
    QCOMPARE(shown_.size(), std::size_t{1});  // the failure only, no closing message before it
    QCOMPARE(shown_.back().icon, QMessageBox::Warning);
    QVERIFY(shown_.back().text.startsWith(UiText(msg::Ui::RunStopped)));
    QVERIFY(shown_.back().text.contains(path));
    QCOMPARE(Message(), ChooseSheetText());
    QVERIFY(!Child<QPushButton>("startButton")->isEnabled());
    QVERIFY(Child<QCheckBox>("ukaiBox")->isChecked());
  }

  void quitAndTheWindowFrameBothShutTheHostDown() {
    OpenBook();
    QTest::mouseClick(Child<QPushButton>("quitButton"), Qt::LeftButton);
    QVERIFY(!window_->isVisible());
    QVERIFY(!window_->GetSession().IsOpen());

    window_ = std::make_unique<gui::MainWindow>();
    window_->show();
    OpenBook();
    QVERIFY(window_->close());
    QVERIFY(!window_->GetSession().IsOpen());
  }

  void aboutWindowShowsTitleVersionAndSystemInformation() {
    QTest::mouseClick(Child<QPushButton>("helpButton"), Qt::LeftButton);
    gui::AboutWindow* about = window_->About();
    QVERIFY(about != nullptr && about->isVisible());
    QVERIFY(!about->isModal());
    QVERIFY(window_->isEnabled());
    auto label = [about](const char* name) {
      return about->findChild<QLabel*>(QString::fromLatin1(name));
    };
    QCOMPARE(label("versionLabel")->text(), gui::UiFormat(msg::Ui::VersionLabel, 1, 0, 0));
    QVERIFY(label("descriptionLabel")->text().isEmpty());
    QLabel* notice = label("disclaimerLabel");
    QVERIFY(!notice->text().isEmpty());
    QVERIFY(notice->heightForWidth(notice->width()) <= notice->height());
    QVERIFY(!label("iconLabel")->pixmap().isNull());
    auto* sysInfo = about->findChild<QPushButton*>(QStringLiteral("systemInfoButton"));
    QVERIFY(sysInfo->sizeHint().width() <= sysInfo->width());

    // No system information program installed: the fallback message.
    const QByteArray path = qgetenv("PATH");
    QTemporaryDir bin;
    qputenv("PATH", bin.path().toLocal8Bit());
    QTest::mouseClick(sysInfo, Qt::LeftButton);
    QCOMPARE(shown_.size(), std::size_t{1});
    QCOMPARE(shown_[0].text, UiText(msg::Ui::SysInfoUnavailable));
    // One installed: it is started, and nothing is shown.
    const QString program = bin.filePath(QStringLiteral("hardinfo"));
    WriteFile(program, "#!/bin/sh\n: > \"$0.ran\"\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QTest::mouseClick(sysInfo, Qt::LeftButton);
    qputenv("PATH", path);
    QTRY_VERIFY(QFile::exists(bin.filePath(QStringLiteral("hardinfo.ran"))));
    QCOMPARE(shown_.size(), std::size_t{1});

    QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    QTRY_VERIFY(window_->About() == nullptr);
  }

  void aWorkbookOpenElsewhereIsSavedOnlyWhenTheUserSaysSo() {
    QTemporaryDir other;
    const QString path = other.filePath(QStringLiteral("shared.xlsx"));
    testsupport::WriteWorkbook(path.toStdString(), {testsupport::CleanSsr("Apple.org")});
    WriteFile(other.filePath(QStringLiteral(".~lock.shared.xlsx#")), {});
    auto contents = [&path] {
      QFile file(path);
      return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = contents();

    QStringList asked;
    bool answer = false;
    gui::SetQuestionFunction([&](QWidget*, const QString&, const QString& text) {
      asked << text;
      return answer;
    });
    QVERIFY(window_->SetDirectory(other.path()));
    Click(Child<QListWidget>("fileList"), QStringLiteral("shared.xlsx"));
    Click(Child<QListWidget>("sheetList"), QStringLiteral("Apple.org"));
    QTest::mouseClick(Child<QPushButton>("startButton"), Qt::LeftButton);
    QCOMPARE(asked.size(), 1);
    QVERIFY(asked[0].contains(QStringLiteral(".~lock.shared.xlsx#")));
    QVERIFY(shown_.empty());
    QVERIFY(contents() == before);
    // The choice stands; this time the user goes ahead.
    answer = true;
    QTest::mouseClick(Child<QPushButton>("startButton"), Qt::LeftButton);
    gui::SetQuestionFunction({});
    QCOMPARE(asked.size(), 2);
    QCOMPARE(shown_.size(), std::size_t{1});
    QCOMPARE(shown_[0].text, Closing(UiText(msg::Ui::FinishedNormally), path));
    QVERIFY(Items(Child<QListWidget>("sheetList")).contains(QStringLiteral("Apple.ssr")));
  }

  // The program itself: --help and --version need no display, and --screenshot
  // answers every message and question on its own output instead of waiting.
  void theProgramNeverWaitsForSomeoneWhoIsNotThere() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
      env.remove(QString::fromLatin1(name));
    QProcess program;
    program.setProcessEnvironment(env);
    for (const char* option : {"--help", "--version"}) {
      program.start(QStringLiteral(ALLELESCOPE_GUI), {QString::fromLatin1(option)});
      QVERIFY(program.waitForFinished(30000));
      QCOMPARE(program.exitStatus(), QProcess::NormalExit);
      QCOMPARE(program.exitCode(), 0);
      QVERIFY(program.readAllStandardOutput().contains("AlleleScope"));
    }

    QTemporaryDir other;
    const QString shared = other.filePath(QStringLiteral("shared.xlsx"));
    QVERIFY(QFile::copy(bookPath_, shared));
    WriteFile(other.filePath(QStringLiteral(".~lock.shared.xlsx#")), {});
    const QString copy = other.filePath(QStringLiteral("copy.xlsx"));
    QVERIFY(QFile::copy(bookPath_, copy));
    struct Case {
      QString workbook;
      int status;
      QString says;
    };
    const Case cases[] = {
        {dir_.filePath(QStringLiteral("broken.xlsx")), 1, UiText(msg::Ui::OpenFailed)},
        {dir_.filePath(QStringLiteral("missing.xlsx")), 1, UiText(msg::Ui::OpenFailed)},
        {shared, 1, QStringLiteral(".~lock.shared.xlsx#")},
        {copy, 0, Closing(UiText(msg::Ui::FinishedNormally), copy)}};
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    for (const Case& c : cases) {
      program.start(QStringLiteral(ALLELESCOPE_GUI),
                    {QStringLiteral("--screenshot"), other.filePath(QStringLiteral("shots")),
                     c.workbook, QStringLiteral("Apple.org")});
      const bool ended = program.waitForFinished(60000);
      if (!ended) program.kill();
      QVERIFY2(ended, qPrintable(c.workbook));
      QCOMPARE(program.exitCode(), c.status);
      QVERIFY2(QString::fromUtf8(program.readAllStandardOutput()).contains(c.says),
               qPrintable(c.says));
    }
  }
};

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  msg::UseEnvironmentLanguage();  // as the window program does
  // The recent workbooks and the window's size go to a settings file of the test's own.
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  WindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"
