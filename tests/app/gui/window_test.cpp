// The main and about windows driven through their widgets, offscreen, on
// workbooks written in the test.
#include <QtTest>
#include <QtWidgets>
#include <array>
#include <functional>
#include <memory>

#include "app/gui/AboutWindow.h"
#include "app/gui/HelpWindow.h"
#include "app/gui/MainWindow.h"
#include "app/gui/MessageBoxes.h"
#include "app/gui/SystemInfo.h"
#include "app/gui/UiText.h"
#include "app/gui/WindowMetrics.h"
#include "app/gui/WindowSettings.h"
#include "messages/HostFailureTexts.h"
#include "messages/Language.h"
#include "messages/SheetTexts.h"
#include "support/SourceBook.h"

using gui::UiText;

namespace {

QString ChooseFileText() { return UiText(msg::Ui::ChooseFile); }
QString ChooseSheetText() { return UiText(msg::Ui::ChooseSheet); }

constexpr std::pair<const char*, msg::Ui> kOptions[] = {{"combinationBox", msg::Ui::TipCombination},
                                                        {"ukaiBox", msg::Ui::TipIdentification},
                                                        {"zeroOneBox", msg::Ui::TipZeroOne},
                                                        {"summaryBox", msg::Ui::TipSummary},
                                                        {"relateBox", msg::Ui::TipRelate}};

struct Shown {
  QMessageBox::Icon icon;
  QString title, text;
};

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// The closing message: the run's lines, then the file the results were saved in.
QString Closing(const QString& lines, const QString& saved) {
  return lines + "\n\n" +
         gui::UiFormat(msg::Cli::ResultsSaved, QDir::toNativeSeparators(saved).toStdString());
}

QStringList Items(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text().trimmed();
  return texts;
}

QString Copy(const QString& from, const QTemporaryDir& dir, const QString& name) {
  return QFile::copy(from, dir.filePath(name)) ? dir.filePath(name) : QString();
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 public slots:
  void OpenUrl(const QUrl& url) { opened_ << url; }  // what the desktop was asked to open

 private:
  QList<QUrl> opened_;
  QTemporaryDir dir_;
  QString bookPath_;
  std::vector<Shown> shown_;
  std::unique_ptr<gui::MainWindow> window_;
  const std::vector<std::array<std::string_view, 4>> badRows_ = {
      {msg::sheet::kNotNumeric, "V2", "M1", "C6"}, {msg::sheet::kNotDiploid, "V3", "M2", "D7"}};

  void RecordMessages() {
    gui::SetMessageFunction(
        [this](QWidget*, QMessageBox::Icon icon, const QString& title, const QString& text) {
          shown_.push_back({icon, title, text});
        });
  }
  template <typename T>
  T* Child(const QString& name) {
    T* child = window_->findChild<T*>(name);
    if (child == nullptr) qFatal("no control %s", qPrintable(name));
    return child;
  }
  QListWidget* List(const char* name) { return Child<QListWidget>(name); }
  QCheckBox* Box(const char* name) { return Child<QCheckBox>(name); }
  QAction* Entry(const QString& name) { return Child<QAction>(name + "Action"); }
  QPushButton* Button(const char* name) { return Child<QPushButton>(name); }
  void Press(const char* button) { QTest::mouseClick(Button(button), Qt::LeftButton); }
  QString Message() { return Child<QLabel>("messageLabel")->text(); }
  QString Comment() { return Child<QLabel>("commentLabel")->text(); }
  QString Saved(const QString& path) {
    return gui::UiFormat(msg::Cli::ResultsSaved, QDir::toNativeSeparators(path).toStdString());
  }

  // The view activates only an item that the same double click pressed first.
  void Click(QListWidget* list, const QString& text, bool twice = false) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchEndsWith);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    list->scrollToItem(found.front());
    const QPoint at = list->visualItemRect(found.front()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  }
  void Choose(const char* sheet) { Click(List("sheetList"), sheet); }
  void OpenBook() {
    QVERIFY(window_->SetDirectory(dir_.path()));
    Click(List("fileList"), "book.xlsx");
    QCOMPARE(Message(), ChooseSheetText());
  }

  // Where the lists leave a workbook opened with its sheet `sheet` chosen.
  void ExpectOpened(const QString& folder, const QString& file, const QString& sheet,
                    msg::Ui message) {
    QCOMPARE(window_->Directory(), QDir(folder).canonicalPath());
    QCOMPARE(List("folderList")->currentItem()->data(Qt::UserRole).toString(),
             QDir(folder).canonicalPath());
    QCOMPARE(List("fileList")->currentItem()->text(), file);
    QCOMPARE(List("sheetList")->currentItem()->text(), sheet);
    QVERIFY(Message() == UiText(message) && Button("startButton")->isEnabled());
  }
  void ExpectWarning(msg::Ui heading, const QString& path) {
    QVERIFY(shown_.size() == 1 && shown_.back().icon == QMessageBox::Warning);
    QVERIFY(shown_.back().text.startsWith(UiText(heading)) && shown_.back().text.contains(path));
  }
  // After a run or a failed one: Start waits for a sheet, the options stay ticked.
  void ExpectWaitingForASheet() {
    QVERIFY(!window_->Running() && List("sheetList")->selectedItems().isEmpty());
    QCOMPARE(Message(), ChooseSheetText());
    QVERIFY(!Button("startButton")->isEnabled() && Box("ukaiBox")->isChecked());
  }
  QList<QAction*> RecentEntries() {
    const QList<QAction*> all = Child<QMenu>("recentMenu")->actions();
    return all.mid(0, all.size() - 2);  // without the separator and Clear
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
  void ExpectCaptionsFit() {
    for (QAbstractButton* button : window_->findChildren<QAbstractButton*>())
      QVERIFY2(!button->isVisible() || button->sizeHint().width() <= button->width(),
               qPrintable(button->objectName()));
  }
  void ExpectProblems(QTableWidget* table,
                      const std::vector<std::array<std::string_view, 4>>& rows) {
    QCOMPARE(table->rowCount(), static_cast<int>(rows.size()));
    for (int r = 0; r < table->rowCount(); ++r)
      for (int c = 0; c < 4; ++c) QCOMPARE(table->item(r, c)->text(), gui::FromUtf8(rows[r][c]));
  }

 private slots:
  void initTestCase() {
    bookPath_ = dir_.filePath("book.xlsx");
    testsupport::SheetLayout bad = testsupport::CleanSsr("Bad.org", 4, 2);
    bad.cells[1][0] = "abc/192";
    bad.cells[2][1] = "150/160/170";
    const testsupport::SheetLayout chr{
        "Chr.org", {"M1", "M2"}, {"V1", "V2", "V3"}, {{"AB", "AA"}, {"BB", "AB"}, {"AA", "BB"}}};
    testsupport::WriteWorkbook(bookPath_.toStdString(),
                               {testsupport::CleanSsr("Apple.org"), chr,
                                testsupport::Blank("Notes"), testsupport::Blank("Pear.ssr"), bad});
    WriteFile(dir_.filePath("broken.xlsx"), "this is not a workbook");
    WriteFile(dir_.filePath("readme.txt"), {});
    QVERIFY(dir_.isValid() && QDir(dir_.path()).mkdir("sub"));
    RecordMessages();
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
    gui::SetFileFunction({});
    window_.reset();
  }

  void startsWaitingForAFileWithEveryTextVisible() {
    QVERIFY(Message() == ChooseFileText() && Comment().isEmpty());
    QVERIFY(!Button("startButton")->isEnabled() && Button("quitButton")->isEnabled());
    for (const auto& [name, tip] : kOptions)
      QVERIFY(!Box(name)->isEnabled() && !Box(name)->isChecked());
    ExpectCaptionsFit();
    const QString banner = Child<QLabel>("editionLabel")->text();
    QVERIFY(banner.contains(ALLELESCOPE_VERSION) && !banner.contains("Windows"));
    for (const char* name : {"titleLabel", "editionLabel"}) {
      auto* label = Child<QLabel>(name);
      QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
    }
    // Every status text fits the message label, wrapped, without running into the comment.
    auto* message = Child<QLabel>("messageLabel");
    QVERIFY(message->wordWrap() &&
            message->geometry().bottom() < Child<QLabel>("commentLabel")->geometry().top());
    for (int id = int(msg::Ui::ChooseFile); id <= int(msg::Ui::Completed); ++id) {
      message->setText(UiText(msg::Ui(id)));
      QVERIFY2(message->heightForWidth(message->width()) <= message->height(),
               qPrintable(message->text()));
    }
  }

  // Each entry with its shortcut and access key; the options mirror their boxes
  // and say in one line what they add; the entries that need a source wait for one.
  void theMenusOfferEachActionWithItsKeys() {
    for (const QString& entry :
         QString("open=Ctrl+O|quit=Ctrl+Q|run=F5; Ctrl+R|help=F1|about=|import=").split('|'))
      QCOMPARE(QKeySequence::listToString(Entry(entry.section('=', 0, 0))->shortcuts()),
               entry.section('=', 1));
    // Access keys: every button, option, menu and entry has one, none twice in one place.
    QList<QStringList> places{{}, {}};
    for (QAbstractButton* button : window_->findChildren<QAbstractButton*>())
      if (qobject_cast<QPushButton*>(button) || qobject_cast<QCheckBox*>(button))
        places[0] << button->text();
    for (QMenu* menu : Child<QMenuBar>("menuBar")->findChildren<QMenu*>()) {
      if (menu->objectName().isEmpty() || menu->objectName() == "recentMenu") continue;  // Qt's
      places[1] << menu->title();
      places << QStringList();
      for (QAction* action : menu->actions())
        if (!action->isSeparator()) places.back() << action->text();
    }
    for (const QStringList& texts : places) {
      QSet<QChar> keys;
      for (const QString& text : texts) {
        const QChar key = text.mid(text.indexOf(QLatin1Char('&')) + 1, 1).toUpper().front();
        QVERIFY2(text.contains(QLatin1Char('&')) && !keys.contains(key), qPrintable(text));
        keys.insert(key);
      }
    }
    OpenBook();
    for (const char* sheet : {"Notes", "Apple.org"}) {
      Choose(sheet);
      for (const char* name : {"run", "export", "markers", "locusTable", "tree", "map"})
        QCOMPARE(Entry(name)->isEnabled(), sheet[0] == 'A');
    }
    QCOMPARE(Child<QGroupBox>("optionFrame")->findChildren<QCheckBox*>().size(),
             qsizetype(std::size(kOptions)));
    for (const auto& [name, tip] : kOptions) {
      QCheckBox* box = Box(name);
      QAction* action = Entry(name);
      QVERIFY(action->text() == box->text() && action->isCheckable() && action->isEnabled());
      QVERIFY(box->toolTip() == UiText(tip) && action->toolTip() == UiText(tip));
      QVERIFY(!UiText(tip).contains(QLatin1Char('\n')) && action->isChecked() == box->isChecked());
      action->trigger();
      QVERIFY(box->isChecked() == action->isChecked() && (box->click(), true));
      QCOMPARE(action->isChecked(), box->isChecked());
    }
    Choose("Notes");
    for (const auto& [name, tip] : kOptions) QVERIFY(!Entry(name)->isEnabled());
  }

  // The keyboard alone: Ctrl+O answers the dialog with a path, F5 runs the
  // sheet it chose, the results panel names the file; a cancelled dialog changes nothing.
  void theOpenDialogAndADropLandWhereTheListsLeadAndF5Runs() {
    QTemporaryDir other;
    const QString path = Copy(bookPath_, other, "copy.xlsx");
    QString askedIn;
    gui::SetOpenFunction([&](QWidget*, const QString& folder) {
      askedIn = askedIn.isEmpty() ? folder : QString("again");
      return askedIn == folder ? path : QString();
    });
    QVERIFY(window_->SetDirectory(dir_.path()));
    QTest::keyClick(window_.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(askedIn, QDir(dir_.path()).canonicalPath());  // the folder shown
    ExpectOpened(other.path(), "copy.xlsx", "Apple.org", msg::Ui::SsrChosen);
    QTest::keyClick(window_.get(), Qt::Key_F5);
    QVERIFY(Child<QLabel>("resultsLabel")->text() == Saved(path) && !Entry("run")->isEnabled());
    QTest::keyClick(window_.get(), Qt::Key_O, Qt::ControlModifier);
    QVERIFY(askedIn == "again" && Message() == ChooseSheetText());
    // A workbook dropped on the window lands there too; another file is refused.
    QVERIFY(!Drop(dir_.filePath("readme.txt")) && Message() == ChooseSheetText());
    QVERIFY(Drop(bookPath_));
    ExpectOpened(dir_.path(), "book.xlsx", "Apple.org", msg::Ui::SsrChosen);
  }

  // The last eight workbooks, the newest first; each reopens with the sheet chosen in it.
  void theRecentListReopensWithTheSheetChosenLast() {
    QTemporaryDir many;
    QStringList paths;
    for (int i = 0; i < 9; ++i) {
      paths << QDir::toNativeSeparators(Copy(bookPath_, many, QString("book%1.xlsx").arg(i)));
      QVERIFY(window_->OpenWorkbook(paths.back()));
    }
    QVERIFY(window_->ChooseSheet("Chr.org"));
    QCOMPARE(RecentEntries().size(), gui::WindowSettings::kRecentCount);
    QVERIFY(RecentEntries().front()->text() == paths[8] &&
            RecentEntries().back()->text() == paths[1]);
    QVERIFY(window_->OpenWorkbook(paths[2]) && RecentEntries().front()->text() == paths[2]);
    RecentEntries()[1]->trigger();
    ExpectOpened(many.path(), "book8.xlsx", "Chr.org", msg::Ui::ChrChosen);
    Child<QMenu>("recentMenu")->actions().back()->trigger();  // clear the list
    QVERIFY(RecentEntries().isEmpty() && !Child<QMenu>("recentMenu")->isEnabled());
  }

  void f1ShowsTheHelpPageInTheInterfaceLanguage() {
    QTest::keyClick(window_.get(), Qt::Key_F1);
    gui::HelpWindow* help = window_->Help();
    QVERIFY(help != nullptr && help->isVisible() && !help->isModal());
    const QString page = help->findChild<QTextBrowser*>("helpBrowser")->toPlainText();
    for (msg::Ui id : {msg::Ui::HelpTitle, msg::Ui::HelpSourceHeading, msg::Ui::HelpResultsHeading,
                       msg::Ui::HelpCommandLineHeading})
      QVERIFY2(page.contains(UiText(id)), qPrintable(UiText(id)));
    // Each result sheet has its row, the tab between sheet and contents gone.
    for (const QString& line : UiText(msg::Ui::HelpResultsText).split(QLatin1Char('\n')))
      QVERIFY(page.contains(line.section(QLatin1Char('\t'), 1)) && !page.contains('\t'));
    QVERIFY(window_->close());
    QTRY_VERIFY(window_->Help() == nullptr);
  }

  // The workbook and sheet named on the command line; what cannot be opened says why in the window.
  void opensWhatTheCommandLineNamesOrSaysWhyNot() {
    QVERIFY(window_->OpenAtStart(bookPath_, "Chr.org").isEmpty());
    ExpectOpened(dir_.path(), "book.xlsx", "Chr.org", msg::Ui::ChrChosen);
    QVERIFY(window_->OpenAtStart(bookPath_, "Plum.org").contains("Plum.org"));
    QCOMPARE(Message(), ChooseSheetText());
    gui::WindowSettings().ClearRecentWorkbooks();
    window_ = std::make_unique<gui::MainWindow>();
    shown_.clear();
    const QString missing = dir_.filePath("gone/missing.xlsx");
    QVERIFY(window_->OpenAtStart(missing, {}).contains(missing));
    ExpectWarning(msg::Ui::OpenFailed, missing);
    const host::Failure gone{host::Operation::Open, host::FailureCode::FileMissing, {}};
    QVERIFY(shown_[0].text.contains(gui::FromUtf8(msg::FailureText(gone, {}))));
    QVERIFY(Message() == ChooseFileText() && RecentEntries().isEmpty());
  }

  // The lists: up and down the folders, only workbooks listed, nothing opened
  // by walking; a workbook's sheets, a failure that keeps it; what each sheet is.
  void theListsLeadToASheetAndSayWhatItIs() {
    QVERIFY(window_->SetDirectory(dir_.filePath("sub")) && List("fileList")->count() == 0);
    Click(List("folderList"), QFileInfo(dir_.path()).fileName(), true);
    QCOMPARE(window_->Directory(), QDir(dir_.path()).canonicalPath());
    QCOMPARE(Items(List("fileList")), (QStringList{"book.xlsx", "broken.xlsx"}));
    Click(List("folderList"), "sub", true);
    QCOMPARE(QFileInfo(window_->Directory()).fileName(), QStringLiteral("sub"));
    auto* drives = Child<QComboBox>("driveList");  // the volume the folder lies on
    QVERIFY(window_->Directory().startsWith(drives->currentData().toString()));
    QVERIFY(drives->currentIndex() >= 0 && shown_.empty() && Message() == ChooseFileText());
    OpenBook();
    const QStringList original{"Apple.org", "Chr.org", "Notes", "Pear.ssr", "Bad.org"};
    QCOMPARE(Items(List("sheetList")), original);
    QVERIFY(List("sheetList")->selectedItems().isEmpty());
    Click(List("fileList"), "broken.xlsx");
    ExpectWarning(msg::Ui::OpenFailed, dir_.filePath("broken.xlsx"));
    QCOMPARE(Items(List("sheetList")), original);
    QCOMPARE(List("fileList")->currentItem()->text(), QStringLiteral("book.xlsx"));
    const std::tuple<const char*, msg::Ui, bool> cases[] = {
        {"Apple.org", msg::Ui::SsrChosen, true},
        {"Notes", msg::Ui::NoType, false},
        {"Chr.org", msg::Ui::ChrChosen, true},
        {"Pear.ssr", msg::Ui::NotSource, false}};
    for (const auto& [sheet, message, source] : cases) {
      Child<QLabel>("commentLabel")->setText("left over");
      Choose(sheet);
      QVERIFY(Message() == UiText(message) && Comment().isEmpty());
      QCOMPARE(Button("startButton")->isEnabled(), source);
      // The usual choice: the pairwise check, Ukai and the summary.
      for (const auto& [name, tip] : kOptions) {
        QCOMPARE(Box(name)->isEnabled(), source);
        QCOMPARE(Box(name)->isChecked(), source && name[0] != 'z' && name[0] != 'r');
      }
    }
    // A second file leaves nothing chosen: Start waits for a sheet again.
    Choose("Apple.org");
    Click(List("fileList"), "book.xlsx");
    QVERIFY(!Button("startButton")->isEnabled() && List("sheetList")->selectedItems().isEmpty());
  }

  // A run, the closing message once the file is saved, the results panel;
  // then a run with data problems, which the panel lists as the error sheet does.
  void runReportsShowsTheResultsAndListsTheProblems() {
    QTemporaryDir other;
    const QString path = Copy(bookPath_, other, "copy.xlsx");
    QVERIFY(window_->OpenAtStart(path, "Apple.org").isEmpty());
    Box("combinationBox")->setChecked(false);  // the user's choice counts
    auto* panel = Child<QWidget>("resultsPanel");
    QVERIFY(panel->isHidden());
    const QDateTime before = QFileInfo(path).lastModified();
    QTest::qWait(20);  // a later save shows a later time
    // Said once the file is saved, after the labels repainted through the event loop.
    auto loopRan = std::make_shared<bool>(false);
    QTimer::singleShot(0, [loopRan] { *loopRan = true; });
    bool savedFirst = false;
    gui::SetMessageFunction(
        [&](QWidget*, QMessageBox::Icon icon, const QString& title, const QString& text) {
          shown_.push_back({icon, title, text});
          savedFirst = *loopRan && QFileInfo(path).lastModified() > before && !window_->Running() &&
                       Message() == ChooseSheetText();
        });
    Press("startButton");
    RecordMessages();
    QVERIFY(savedFirst && shown_.size() == 1 && shown_[0].icon == QMessageBox::NoIcon);
    QCOMPARE(shown_[0].title, UiText(msg::Ui::ProgramTitle));
    QCOMPARE(shown_[0].text, Closing(UiText(msg::Ui::FinishedNormally), path));
    ExpectWaitingForASheet();
    QCOMPARE(
        Items(List("sheetList")).mid(0, 11),
        (QStringList{"Apple.org", "Apple.err", "Apple.ssr", "Apple.gnt", "Apple.all", "Apple.chr",
                     "Apple.pek", "Apple.tssr", "Apple.ukai", "Apple.sum", "Chr.org"}));
    QVERIFY(panel->isVisible() && Child<QTableWidget>("problemList")->isHidden());
    auto* views = Child<QTabWidget>("resultViews");
    QVERIFY(views->isVisible() && views->count() == 1);
    QCOMPARE(views->tabText(0), gui::UiFormat(msg::Ui::LocusTableTitle, "Apple.sum"));
    auto* table = qobject_cast<QTableWidget*>(views->widget(0));
    QVERIFY(table && table->rowCount() > 1);
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("marker"));
    ExpectCaptionsFit();
    QCOMPARE(Child<QLabel>("resultsLabel")->text(), Saved(path));
    QDesktopServices::setUrlHandler("file", this, "OpenUrl");
    for (const char* button : {"openResultsButton", "showFolderButton"}) Press(button);
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(opened_, (QList<QUrl>{QUrl::fromLocalFile(path), QUrl::fromLocalFile(other.path())}));
    Choose("Bad.org");
    Press("startButton");
    QCOMPARE(shown_[1].text,
             Closing(UiText(msg::Ui::NonNumeric) + "\n" + UiText(msg::Ui::NotDiploid), path));
    QCOMPARE(gui::MessageLines("a\r\rb\r"), QStringLiteral("a\n\nb"));
    QVERIFY(Child<QLabel>("problemsLabel")->text() ==
                gui::UiFormat(msg::Ui::ProblemsOnSheet, "Bad.err") &&
            Child<QTableWidget>("problemList")->isVisible());
    ExpectProblems(Child<QTableWidget>("problemList"), badRows_);
    QVERIFY(views->isHidden());
    Choose("Apple.org");
    Box("relateBox")->setChecked(true);
    Press("startButton");
    QCOMPARE(views->count(), 3);
    QCOMPARE(views->tabText(2), gui::UiFormat(msg::Ui::MapTitle, "Apple.tree"));
    for (int tab : {1, 2})
      QVERIFY(!views->widget(tab)->findChild<QLabel*>("lookPicture")->pixmap().isNull());
    QVERIFY(window_->OpenWorkbook(bookPath_) && panel->isHidden());  // it was the other's
  }

  void aLegacyWorkbookSaysWhereItsResultsWent() {
    QTemporaryDir legacy;
    const QString xls =
        Copy(ALLELESCOPE_SOURCE_DIR "/tests/golden/inputs/legacy.xls", legacy, "old.xls");
    const QString xlsx = legacy.filePath("old.xlsx");
    QVERIFY(window_->OpenAtStart(xls, "Old.org").isEmpty());
    Press("startButton");
    QVERIFY(QFile::exists(xlsx) && shown_.size() == 1);
    QVERIFY(shown_[0].text.endsWith("\n\n" +
                                    gui::UiFormat(msg::Ui::SavedElsewhere, xlsx.toStdString())));
    QCOMPARE(List("fileList")->currentItem()->text(), QStringLiteral("old.xlsx"));
    QVERIFY(window_->ChooseSheet("Old.org"));  // a rerun saves where it opened
    Press("startButton");
    QVERIFY(shown_.size() == 2 && shown_[1].text.endsWith(Closing({}, xlsx)));
  }

  // Export writes the chosen source for another program, and import makes a
  // workbook of such a file: the round trip gives a source back.
  void importAndExportGoThroughTheFileDialogs() {
    QTemporaryDir other;
    QList<gui::FileQuestion> asked;
    QStringList answers{other.filePath("apple"), {}};
    gui::SetFileFunction([&](QWidget*, const gui::FileQuestion& question) {
      asked << question;
      return gui::FileAnswer{answers.takeFirst(), 0};
    });
    QVERIFY(window_->OpenAtStart(bookPath_, "Apple.org").isEmpty());
    Entry("export")->trigger();
    const QString gen = other.filePath("apple.gen");  // the format's suffix added
    QVERIFY(asked[0].save && QFileInfo(gen).size() > 0);
    QCOMPARE(asked[0].filters.value(0), UiText(msg::Ui::GenepopFilter));
    QCOMPARE(Comment(), gui::UiFormat(msg::Cli::ExportWritten, gen.toStdString()));
    Entry("import")->trigger();  // cancelled: nothing changes
    QCOMPARE(List("fileList")->currentItem()->text(), QStringLiteral("book.xlsx"));
    answers = QStringList{gen, other.filePath("back")};
    Entry("import")->trigger();
    QVERIFY(!asked[2].save && asked[3].save);
    ExpectOpened(other.path(), "back.xlsx", List("sheetList")->item(0)->text(), msg::Ui::SsrChosen);
    QVERIFY(Comment().startsWith(other.filePath("back.xlsx")));
    // A source with data problems is not exported: its problems are shown.
    QVERIFY(window_->OpenWorkbook(bookPath_) && window_->ChooseSheet("Bad.org"));
    answers = QStringList{other.filePath("bad.gen")};
    Entry("export")->trigger();
    QVERIFY(!QFile::exists(other.filePath("bad.gen")) && shown_.empty());
    ExpectProblems(Child<QDialog>("exportProblems")->findChild<QTableWidget*>(), badRows_);
  }

  // Each look at the source opens a window of its own; a source with data problems lists them.
  void theAnalysisMenuShowsLooksAtTheChosenSource() {
    QVERIFY(window_->OpenAtStart(bookPath_, "Apple.org").isEmpty());
    auto picture = [](QDialog* w) { return !w->findChild<QLabel*>()->pixmap().isNull(); };
    const std::pair<const char*, std::function<bool(QDialog*)>> cases[] = {
        {"markers",
         [](QDialog* w) {
           return w->findChild<QPlainTextEdit*>()->toPlainText().startsWith(
               gui::UiFormat(msg::Cli::MarkersExact, 3));
         }},
        {"locusTable", [](QDialog* w) { return w->findChild<QTableWidget*>()->rowCount() >= 3; }},
        {"tree", picture},
        {"map", picture}};
    for (const auto& [name, expect] : cases) {
      Entry(name)->trigger();
      auto* look = Child<QDialog>(QString(name) + "Window");
      QVERIFY2(look->isVisible() && expect(look), name);
      QVERIFY(look->windowTitle().contains("Apple.org"));
    }
    QVERIFY(window_->ChooseSheet("Bad.org"));
    Entry("markers")->trigger();
    QTRY_COMPARE(window_->findChildren<QDialog*>("markersWindow").size(), 1);
    ExpectProblems(Child<QDialog>("markersWindow")->findChild<QTableWidget*>(), badRows_);
    QVERIFY(shown_.empty());
  }

  void aRunThatCannotSaveStopsWithAWarningAndWaitsForASheet() {
    QTemporaryDir gone;
    const QString path = Copy(bookPath_, gone, "book.xlsx");
    QVERIFY(window_->OpenAtStart(path, "Apple.org").isEmpty());
    // The folder goes while the run works (its labels repaint through the
    // event loop): the save at its end has nowhere to go.
    QTimer::singleShot(0, [&gone] { QVERIFY(gone.remove()); });
    Press("startButton");
    ExpectWarning(msg::Ui::RunStopped, path);  // no closing message before it
    ExpectWaitingForASheet();
  }

  // Quit and the window's frame both shut the host down; the window grows with
  // its lists and comes back at the size it was left.
  void quitAndTheWindowFrameShutTheHostDownAndTheSizeStays() {
    const QSize before = List("fileList")->size(), bigger = window_->size() + QSize(300, 200);
    window_->resize(bigger);
    QTRY_VERIFY(List("fileList")->width() > before.width() &&
                List("fileList")->height() > before.height());
    for (bool byButton : {true, false}) {
      OpenBook();
      if (byButton) Press("quitButton");
      QVERIFY(byButton || window_->close());
      QVERIFY(!window_->isVisible() && !window_->GetSession().IsOpen());
      window_ = std::make_unique<gui::MainWindow>();
      QCOMPARE(window_->size(), bigger);
      window_->show();
    }
  }

  void aboutWindowShowsTitleVersionAndSystemInformation() {
    Press("helpButton");
    gui::AboutWindow* about = window_->About();
    QVERIFY(about != nullptr && about->isVisible() && !about->isModal());
    auto label = [about](const char* name) { return about->findChild<QLabel*>(name); };
    QCOMPARE(label("versionLabel")->text(), gui::UiFormat(msg::Ui::VersionLabel, 1, 0, 0));
    QLabel* notice = label("disclaimerLabel");
    QVERIFY(!notice->text().isEmpty() && label("descriptionLabel")->text().isEmpty());
    QVERIFY(notice->heightForWidth(notice->width()) <= notice->height() &&
            !label("iconLabel")->pixmap().isNull());
    auto* sysInfo = about->findChild<QPushButton*>("systemInfoButton");
    QVERIFY(sysInfo->sizeHint().width() <= sysInfo->width());
    QTest::mouseClick(sysInfo, Qt::LeftButton);
    QVERIFY(shown_.size() == 1 && shown_[0].title == UiText(msg::Ui::SystemInfoTitle));
    for (const QString& part : {QStringLiteral(ALLELESCOPE_VERSION), QString(qVersion()),
                                QStringLiteral("libzip "), gui::OsRelease()})
      QVERIFY2(shown_[0].text.contains(part), qPrintable(part));
    const QString release = dir_.filePath("os-release");
    const std::pair<QByteArray, QString> releases[] = {
        {"NAME=x\nPRETTY_NAME=\"Debian GNU/Linux 12\"\n", "Debian GNU/Linux 12"},
        {"PRETTY_NAME=Plain\n", "Plain"},
        {"NAME=x\n", UiText(msg::Ui::SysInfoUnavailable)},
        {{}, UiText(msg::Ui::SysInfoUnavailable)}};  // no file
    for (const auto& [bytes, shown] : releases) {
      QFile::remove(release);
      if (!bytes.isEmpty()) WriteFile(release, bytes);
      QVERIFY2(gui::SystemInfoText(release).endsWith(shown), qPrintable(shown));
    }
    QTest::mouseClick(about->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    QTRY_VERIFY(window_->About() == nullptr);
  }

  // Another program holds the workbook open: nothing is saved until the user
  // says so (the program test sees the file untouched after a No).
  void aWorkbookOpenElsewhereIsSavedOnlyWhenTheUserSaysSo() {
    QTemporaryDir other;
    const QString path = Copy(bookPath_, other, "shared.xlsx");
    WriteFile(other.filePath(".~lock.shared.xlsx#"), {});
    QStringList asked;
    gui::SetQuestionFunction([&](QWidget*, const QString&, const QString& text) {
      asked << text;
      return asked.size() > 1;
    });
    QVERIFY(window_->OpenAtStart(path, "Apple.org").isEmpty());
    Press("startButton");
    QVERIFY(asked.size() == 1 && asked[0].contains(".~lock.shared.xlsx#") && shown_.empty());
    Press("startButton");  // the choice stands; this time the user goes ahead
    gui::SetQuestionFunction({});
    QVERIFY(asked.size() == 2 && shown_.size() == 1);
    QCOMPARE(shown_[0].text, Closing(UiText(msg::Ui::FinishedNormally), path));
    QVERIFY(Items(List("sheetList")).contains("Apple.ssr"));
  }

  // The program itself: --help and --version need no display, and --screenshot
  // answers every message and question on its own output instead of waiting.
  void theProgramNeverWaitsForSomeoneWhoIsNotThere() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(name);
    QTemporaryDir other;
    const QString shared = Copy(bookPath_, other, "shared.xlsx");
    WriteFile(other.filePath(".~lock.shared.xlsx#"), {});
    const QString copy = Copy(bookPath_, other, "copy.xlsx");
    const QString shots = other.filePath("shots");
    auto shoot = [&](const QString& book) {
      return QStringList{"--screenshot", shots, book, "Apple.org"};
    };
    const std::tuple<QStringList, int, QString> cases[] = {
        {{"--help"}, 0, "AlleleScope"},
        {{"--version"}, 0, "AlleleScope"},
        {shoot(dir_.filePath("broken.xlsx")), 1, UiText(msg::Ui::OpenFailed)},
        {shoot(dir_.filePath("missing.xlsx")), 1, UiText(msg::Ui::OpenFailed)},
        {shoot(shared), 1, ".~lock.shared.xlsx#"},
        {shoot(copy), 0, Closing(UiText(msg::Ui::FinishedNormally), copy)}};
    QProcess program;
    for (const auto& [arguments, status, says] : cases) {
      if (arguments.size() > 1) env.insert("QT_QPA_PLATFORM", "offscreen");
      program.setProcessEnvironment(env);
      program.start(ALLELESCOPE_GUI, arguments);
      const bool ended = program.waitForFinished(60000);
      if (!ended) program.kill();
      QVERIFY2(ended && program.exitStatus() == QProcess::NormalExit, qPrintable(says));
      QCOMPARE(program.exitCode(), status);
      QVERIFY2(QString::fromUtf8(program.readAllStandardOutput()).contains(says), qPrintable(says));
    }
    QCOMPARE(QFileInfo(shared).size(), QFileInfo(bookPath_).size());  // No saves nothing
    for (const char* name : {"main-window-start", "file-menu", "analysis-menu", "main-window",
                             "about-window", "help-window"})
      QVERIFY2(!QImage(shots + "/" + name + ".png").isNull(), name);
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
