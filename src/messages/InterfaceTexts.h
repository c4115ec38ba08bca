#pragma once
// The interface texts: what the window, its dialogs and the progress report
// say to the user. Users know the Japanese texts by heart, so they stay
// exactly as they are; every front end takes them from here, which is also
// where another language of the interface plugs in (a second table behind
// Text). Texts with a "{}" take arguments through Format.
#include <fmt/format.h>

#include <string>
#include <string_view>

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
  ZooRunning,
  CombinationRunning,
  UKaiRunning,
  Completed,
  // The closing message: one line per problem found, or this.
  FinishedNormally,
  TooManyVarieties,
  TooManyMarkers,
  NonNumeric,
  NotDiploid,
  TooManyAlleles,
  TooManyGenotypes,
  // The main window's captions.
  ProgramTitle,
  TitleBanner,
  TitleEdition,
  OptionFrame,
  OptionCombination,
  OptionUKai,
  OptionZoo,
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
  // Sharing the workbook file with other runs and programs.
  WaitingForRun,
  LockFileQuestion,  // {} the workbook, {} its lock file
  HardLinkSplit,     // {} the workbook
};

// The text of `id` in the interface language.
std::string_view Text(Ui id);

// A text with "{}" placeholders, filled in order.
template <typename... Args>
std::string Format(Ui id, const Args&... args) {
  return fmt::format(fmt::runtime(Text(id)), args...);
}

// Progress details (the comment label): where a stage is.
std::string VarietyComment(int variety);                           // reading variety names
std::string MarkerComment(int marker);                             // reading marker names
std::string CellComment(int variety, int marker);                  // reading cells
std::string MarkerNameComment(int marker, std::string_view name);  // working on a marker
std::string PairComment(int first, int second);                    // comparing two varieties

}  // namespace msg
