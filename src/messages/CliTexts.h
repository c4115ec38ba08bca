#pragma once
// The command lines' own texts: help, error messages and summaries of the
// `allelescope` program, and the options of the window program, in the user's
// language (messages/Language.h); scripts parse some of them, so they change
// only on purpose. Texts with a "{}" take arguments through Format.
#include <string>
#include <string_view>

#include "messages/Catalogue.h"

namespace msg {

enum class Cli {
  // Help of `allelescope`.
  ProgramDescription,
  ProgramFooter,
  SheetsDescription,
  RunDescription,
  DemoDescription,
  WorkbookArgument,
  SheetOption,
  OutputOption,
  ZeroOneOption,
  NoCombinationOption,
  NoIdentificationOption,
  NoSummaryOption,
  DemoDirArgument,
  // What choosing a sheet means, in short.
  GlossNoType,
  GlossNotSource,
  GlossSsr,
  GlossCharacter,
  // Lines on standard output and standard error.
  SheetLine,        // {name}\t{message}\t{gloss}
  ChosenLine,       // {sheet}: {message} ({gloss})
  ResultsSaved,     // {path}
  DemoWorkbook,     // {file}:
  DemoResults,      // {folder}
  ErrorLine,        // allelescope: {message}
  NoSheetNamed,     // {workbook} {sheet} {sheets}
  NoSourceSheet,    // {workbook} {sources} {sheets}
  SeveralSources,   // {workbook} {sources} {sheets}
  NotASourceSheet,  // {sheet} {message} {gloss}
  OutputKind,       // {extension} {path}
  NoSheets,
  // What `sheets` says of a sheet that is not a source.
  NotSourceMessage,
  ExamplesNotFound,
  CannotCreate,     // {folder} {reason}
  CannotCopy,       // {from} {to} {reason}
  Failed,           // a host error without an operation
  OperationFailed,  // {operation}
  RunStopped,       // {reason}
  // A run, an import or an opening that ran out of memory.
  OutOfMemory,
  // The window program's command line.
  WindowDescription,
  ScreenshotOption,
  ScreenshotValue,
  WindowWorkbookArgument,
  WindowWorkbookSyntax,
  WindowSheetArgument,
  WindowSheetSyntax,
  WindowCannotOpen,  // {path}
  WindowNoSheet,     // {sheet}
  // Working with other programs.
  ExportDescription,
  ExportFormatOption,
  ExportOutputOption,
  MarkersDescription,
  SummaryDescription,
  SummaryFormatOption,
  SummaryOutputOption,
  ImportDescription,
  ImportFileArgument,
  ImportOutputOption,
  ImportFormatOption,
  ProblemLine,        // {problem} {variety} {marker}
  NothingWritten,     // the data have problems
  ExportWritten,      // {path}
  RenamedVariety,     // {from} {to}
  RenamedMarker,      // {from} {to}
  RenumberedAlleles,  // {marker} {number=allele, ...}
  AlleleNumber,       // {number} {allele}
  CannotWrite,        // {path} {reason}
  OutputExists,       // {path}
  MarkersExact,       // {markers}
  MarkersGreedy,      // {markers}
  MarkerLine,         // {marker} {pairs left}
  NoPairToTell,
  MarkersOneVariety,
  InseparableHead,
  InseparableNone,
  InseparableLine,  // {names}
  ImportWritten,    // {path} {varieties} {markers}
  ImportProblem,    // {file} {line} {reason}
  // Why an imported file cannot be read.
  ImportEmpty,
  ImportBinary,
  ImportNoPop,
  ImportNoLoci,
  ImportFieldCount,    // {expected} {found}
  ImportNotNumeric,    // {text}
  ImportGenotypeForm,  // {text}
  ImportCountsRow,
  ImportTooFewRows,  // {expected} {found}
  ImportEmptyName,
  GroupsVarietyHead,
  GroupsPopulationHead,
  CannotRead,  // {path} {reason}
  ExportFormatValues,
  SummaryFormatValues,
  ImportFormatValues,
  // Sharing the workbook file with other programs.
  IgnoreLockOption,
  LockFileFound,    // {workbook} {lock file}
  HardLinkSplit,    // {workbook}
  DemoFolderHolds,  // {folder} {files}
  // Files too large or of the wrong kind for an import or an export.
  NotRegularFile,
  ImportTooLarge,          // {mebibytes}
  ImportDoesNotFit,        // {file} {reason}
  ImportTooManyMarkers,    // {markers} {room}
  ImportTooManyVarieties,  // {varieties} {room}
  ImportTooManyCells,      // {genotypes} {room}
  ImportTextTooLong,       // {characters} {start of the text} {room}
  OutputIsWorkbook,        // {path}
  OutputFailed,            // {reason}
  ImportControl,           // {the character, as U+XXXX}
  ImportTooManyPlaces,     // {varieties times markers} {room}
  // Where an export or a run's copy may go.
  OutputNamesWorkbook,  // {path}
  OutputNotAFile,
  OutputIsInput,  // {path}
  // Code widths, encodings and populations of imported and exported files.
  ImportGenotypeWidth,  // {text} {the file's width}
  ImportNotUtf8,        // {the likely encoding} {its name for --encoding}
  ImportNotInEncoding,  // {encoding}
  ImportEncodingOption,
  UnknownEncoding,     // {name}
  UngroupedVarieties,  // {count} {population}
  // The conventions of the command line: one-line summaries for the list of
  // commands, the shared options, and what a usage fault says.
  SheetsSummary,
  RunSummary,
  DemoSummary,
  ExportSummary,
  MarkersSummary,
  SummarySummary,
  ImportSummary,
  HelpSummary,
  HelpDescription,
  HelpCommandArgument,
  CommandFooter,
  HelpOption,
  VersionOption,
  VersionLine,  // {version}
  QuietOption,
  NameValue,
  FileValue,
  UnknownCommand,      // {command}
  UnknownOption,       // {option}
  UnexpectedArgument,  // {argument}
  MissingValue,        // {option}
  Required,            // {argument or option}
  InvalidValue,        // {option}
  NoCommand,
  UsageFault,       // {the parser's own words}
  HelpHint,         // after a fault outside any command
  CommandHelpHint,  // {command}
  // A source sheet without a table where a run reads one.
  TableNoMarkers,    // {sheet} {first marker cell}
  TableNoVarieties,  // {sheet} {first variety cell}
  TableNoNames,      // {sheet} {first marker cell} {first variety cell}
  TableMustStart,    // {corner} {first marker cell} {first variety cell}
  TableSeemsAt,      // {corner found} {corner}
  // The command line parser's own words in the help.
  HelpUsageLabel,
  HelpOptionsLabel,   // the usage line's stand-in for the options
  HelpCommandLabel,   // the usage line's stand-in for a command
  HelpArgumentsHead,  // the headings end with their colon: "Options" alone is the
  HelpOptionsHead,    // window's option frame, which keeps a translation of its own
  HelpCommandsHead,
  HelpRequiredLabel,
  // How the varieties relate: trees, distances and principal coordinates.
  TreeSummary,
  TreeDescription,
  DistancesSummary,
  DistancesDescription,
  PcoaSummary,
  PcoaDescription,
  MethodOption,
  MethodValues,
  DistanceOption,
  DistanceValues,
  BootstrapOption,
  TreeOutputOption,
  DistancesOutputOption,
  PcoaOutputOption,
  OutputExtension,      // {path} {extensions}
  PairWithoutDistance,  // {variety} {variety}
  NeedsEveryDistance,
  DistancesLeftEmpty,    // {pairs}
  TiedJoins,             // {joins}
  BootstrapWithoutTree,  // {replicates} {of replicates}
  RelateOption,
  BootstrapProgress,  // {replicate} {of replicates}
};

// The text of `id` in the interface language.
std::string_view Text(Cli id);
// The text of `id` as the catalogue writes it, whatever the language.
std::string_view English(Cli id);

template <typename... Args>
std::string Format(Cli id, const Args&... args) {
  return detail::FormatEither(Text(id), English(id), args...);
}

}  // namespace msg
