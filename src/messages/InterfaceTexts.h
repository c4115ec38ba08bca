#pragma once
// The interface texts: what the window, its dialogs and the progress report
// say to the user, in the user's language (messages/Language.h). Users know
// the Japanese texts by heart, so po/ja.po keeps them exactly as they are;
// every front end takes them from here. Texts with a "{}" take arguments
// through Format.
#include <string>
#include <string_view>

#include "messages/Catalogue.h"

namespace msg {

enum class Ui {
  // The sheet choice.
  ChooseFile,
  ChooseSheet,
  NoType,
  NotSource,
  SsrChosen,
  ChrChosen,
  // The stages of a run.
  Reading,
  ConvertingSsr,
  CountingChr,
  ZeroOneRunning,
  CombinationRunning,
  IdentificationRunning,
  SummaryRunning,
  Completed,
  // The closing message: one line per problem found, or this.
  FinishedNormally,
  TooManyVarieties,
  TooManyMarkers,
  NonNumeric,
  NotDiploid,
  TooManyAlleles,
  TooManyGenotypes,
  // After a run that finished normally: the varieties no marker tells apart.
  IdenticalGroup,   // {} the summary sheet
  IdenticalGroups,  // {} how many, {} the summary sheet
  // The main window's captions.
  ProgramTitle,
  TitleBanner,
  TitleEdition,  // {} the version
  OptionFrame,
  OptionCombination,
  OptionIdentification,
  OptionZeroOne,
  OptionSummary,
  StartButton,
  QuitButton,
  HelpButton,
  // The headings of the main window's warnings.
  OpenFailed,
  SheetUnreadable,
  RunStopped,
  FolderUnavailable,
  // The about window.
  AboutCaption,  // {} the program title
  VersionLabel,  // {}.{}.{} the version
  Disclaimer,
  OkButton,
  SysInfoButton,
  SysInfoUnavailable,
  // Progress details (the comment label); a number keeps a blank where a minus sign would stand.
  VarietyComment,
  MarkerComment,
  CellComment,
  MarkerNameComment,  // {number}[{name}]
  PairComment,
  // The window, after a run that saved to a new workbook.
  SavedElsewhere,  // {path}
  // Sharing the workbook file with other runs and programs.
  WaitingForRun,
  LockFileQuestion,  // {} the workbook, {} its lock file
  HardLinkSplit,     // {} the workbook
  // A warning's reason when the memory ran out.
  OutOfMemory,
  // The main window's menus and its dialog for opening a workbook.
  MenuFile,
  MenuOpen,
  MenuOpenRecent,
  MenuClearRecent,
  MenuQuit,
  MenuAnalysis,
  MenuRun,
  MenuHelp,
  MenuHelpContents,
  MenuAbout,
  OpenDialogTitle,
  WorkbookFilter,
  AllFilesFilter,
  // The results panel after a run.
  OpenInSpreadsheet,
  ShowInFolder,
  // The help window; the results text has a line per sheet, the sheet and its contents
  // separated by a tab.
  HelpTitle,
  HelpIntro,
  HelpOpenHeading,
  HelpOpenText,
  HelpSourceHeading,
  HelpSourceText,
  HelpResultsHeading,
  HelpResultsText,
  HelpCommandLineHeading,
  HelpCommandLineText,
  CloseButton,
  // The option that writes the distances and principal coordinates.
  OptionRelate,
  RelateRunning,
  // What each option adds to the workbook, one line each (the boxes' tooltips).
  TipCombination,
  TipIdentification,
  TipZeroOne,
  TipSummary,
  TipRelate,
  // The menus' ways to other programs' files and to looks at a source.
  MenuImport,
  MenuExport,
  MenuMarkers,
  MenuLocusTable,
  MenuTree,
  MenuMap,
  ImportDialogTitle,
  ImportFilter,
  ImportSaveTitle,
  XlsxFilter,
  ExportDialogTitle,
  GenepopFilter,
  StructureFilter,
  GenalexFilter,
  MarkersTitle,     // {} the sheet
  LocusTableTitle,  // {} the sheet
  TreeTitle,        // {} the sheet
  MapTitle,         // {} the sheet
  // The problems found, in the results panel and for the looks above.
  ProblemColumn,
  VarietyColumn,
  MarkerColumn,
  CellColumn,
  ProblemsOnSheet,  // {} the error sheet
  // The about window's system information.
  SystemInfoTitle,
  SystemInfoText,  // {} AlleleScope's version, {} Qt's, {} Qt's built with, {} libraries, {} the OS
};

// The text of `id` in the interface language.
std::string_view Text(Ui id);
// The text of `id` as the catalogue writes it, whatever the language.
std::string_view English(Ui id);

// A text with "{}" placeholders, filled in order.
template <typename... Args>
std::string Format(Ui id, const Args&... args) {
  return detail::FormatEither(Text(id), English(id), args...);
}

// Progress details (the comment label): where a stage is.
std::string VarietyComment(int variety);                           // reading variety names
std::string MarkerComment(int marker);                             // reading marker names
std::string CellComment(int variety, int marker);                  // reading cells
std::string MarkerNameComment(int marker, std::string_view name);  // working on a marker
std::string PairComment(int first, int second);                    // comparing two varieties

}  // namespace msg
