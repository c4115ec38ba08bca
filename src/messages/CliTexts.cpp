#include "messages/CliTexts.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "messages/Catalogue.h"
#include "messages/Language.h"

namespace msg {
namespace {

using Entry = detail::Entry<Cli>;

constexpr std::array kEnglish = {
    Entry{Cli::ProgramDescription,
          "Describe, compare and identify varieties by their DNA markers.\n\n"
          "A workbook's source sheet (named NAME.org) holds marker names in row 4 from C4, "
          "variety names in column B from B5 and a genotype per cell: SSR data as two fragment "
          "sizes (180/192) or character data (AB). The results are written as sheets into the "
          "workbook."},
    Entry{Cli::ProgramFooter,
          "Exit status:\n"
          "  0  finished normally\n"
          "  1  a file could not be read or written, or the run stopped on an error; the "
          "workbook then stays as it was\n"
          "  2  wrong usage (an unknown command or option, a missing or invalid argument), or a "
          "sheet that is not a source\n"
          "  3  finished, but the data have problems: run lists them on the NAME.err sheet and "
          "skips the options; export, markers, tree, distances and pcoa list them and write "
          "nothing\n\n"
          "Limits: a source holds at most 500 varieties and 250 markers, a marker at most 103 "
          "alleles and 250 genotypes; beyond them a run reports the limit in its closing "
          "message.\n\n"
          "Run 'allelescope help COMMAND' for a command's options."},
    Entry{Cli::SheetsDescription,
          "List the sheets of a workbook in order, each with what choosing it would say: the "
          "message and a gloss (not a source / no type / SSR data / character data). Output: "
          "NAME<TAB>MESSAGE<TAB>GLOSS, one sheet a line."},
    Entry{Cli::RunDescription,
          "Analyse the source sheet of a workbook and write the result sheets into it (NAME.err, "
          ".ssr, .tssr, .pek, .chr, .all, .gnt and the options' .cmb, .ukai, MARKER.zoo). The "
          "workbook is saved in place (a legacy .xls to a new .xlsx beside it) or, with -o, to "
          "a copy. The closing message goes to standard output, one line each; stage texts to "
          "standard error (none with -q). Options run only when the data have no problems."},
    Entry{Cli::DemoDescription,
          "Copy the bundled example workbooks into DIR (default: a new folder "
          "./allelescope-demo-N) and run each with every option (0/1, Combination, Ukai). The "
          "copies hold the results; the bundled files stay as they are."},
    Entry{Cli::WorkbookArgument, "the workbook (.xlsx, .xlsm or .xls)"},
    Entry{Cli::SheetOption,
          "the source sheet (named NAME.org); needed when the workbook has several"},
    Entry{Cli::OutputOption,
          "save the results into this .xlsx/.xlsm file instead; the original stays untouched"},
    Entry{Cli::ZeroOneOption, "also write the 0/1 matrices (one MARKER.zoo per marker)"},
    Entry{Cli::NoCombinationOption, "skip the pairwise combination check (NAME.cmb)"},
    Entry{Cli::NoIdentificationOption, "skip the Ukai identification probability (NAME.ukai)"},
    Entry{Cli::NoSummaryOption, "skip the locus and identity summary (NAME.sum)"},
    Entry{Cli::DemoDirArgument, "where to put the copies (created if missing)"},
    Entry{Cli::GlossNoType, "no type"},
    Entry{Cli::GlossNotSource, "not a source"},
    Entry{Cli::GlossSsr, "SSR data"},
    Entry{Cli::GlossCharacter, "character data"},
    Entry{Cli::SheetLine, "{}\t{}\t{}"},
    Entry{Cli::ChosenLine, "{}: {} ({})"},
    Entry{Cli::ResultsSaved, "Results saved in {}"},
    Entry{Cli::DemoWorkbook, "{}:"},
    Entry{Cli::DemoResults, "Results are in {}"},
    Entry{Cli::ErrorLine, "allelescope: {}"},
    Entry{Cli::NoSheetNamed, "{} has no sheet named \"{}\"; its sheets: {}"},
    Entry{Cli::NoSourceSheet,
          "{} has no source sheets (a source is named NAME.org); choose one with --sheet. "
          "Source sheets: {}; all sheets: {}"},
    Entry{Cli::SeveralSources,
          "{} has several source sheets (a source is named NAME.org); choose one with --sheet. "
          "Source sheets: {}; all sheets: {}"},
    Entry{Cli::NotASourceSheet, "sheet \"{}\": {} ({}); a source sheet is named NAME.org"},
    Entry{Cli::OutputKind, "--output must name a {} file for this workbook: {}"},
    Entry{Cli::NoSheets, "(none)"},
    Entry{Cli::NotSourceMessage,
          "Not a source sheet; a sheet becomes one when it is named NAME.org (a name without "
          "a \".\", then .org)"},
    Entry{Cli::ExamplesNotFound,
          "the bundled examples were not found (looked beside the program and in "
          "$ALLELESCOPE_SOURCE_DIR/examples)"},
    Entry{Cli::CannotCreate, "cannot create {}: {}"},
    Entry{Cli::CannotCopy, "cannot copy {} to {}: {}"},
    Entry{Cli::Failed, "failed"},
    Entry{Cli::OperationFailed, "{} failed"},
    Entry{Cli::RunStopped, "stopped, nothing was saved: {}"},
    Entry{Cli::OutOfMemory,
          "the workbook is too large for the memory available; nothing was changed"},
    Entry{Cli::WindowDescription, "AlleleScope window"},
    Entry{Cli::ScreenshotOption, "Run SHEET, save pictures of both windows into DIR and end."},
    Entry{Cli::ScreenshotValue, "DIR"},
    Entry{Cli::WindowWorkbookArgument, "Workbook to open."},
    Entry{Cli::WindowWorkbookSyntax, "[WORKBOOK"},
    Entry{Cli::WindowSheetArgument, "Sheet to choose."},
    Entry{Cli::WindowSheetSyntax, "[SHEET]]"},
    Entry{Cli::WindowCannotOpen, "cannot open {}"},
    Entry{Cli::WindowNoSheet, "no sheet {}"},
    Entry{Cli::ExportDescription,
          "Write the genotypes of a workbook's source sheet for other programs: genepop (a "
          "GENEPOP file, a Pop block per population), structure (one row per variety, two "
          "columns per marker, -9 missing) or genalex (the CSV layout GenAlEx and poppr read, "
          "0 missing). The populations are those of the workbook's Groups sheet (as import "
          "writes it), else one named after the source; the title is the source's B2. "
          "The source is read and checked as a run reads it; with data problems nothing is "
          "written. Names and alleles the format cannot hold are written in a form it can, "
          "and each change is listed on standard output."},
    Entry{Cli::ExportFormatOption, "genepop, structure or genalex"},
    Entry{Cli::ExportOutputOption, "the file to write"},
    Entry{Cli::MarkersDescription,
          "List a small set of markers that tells apart every pair of varieties the whole "
          "set tells apart (as the combination check counts them), in the order chosen, each "
          "with the number of those pairs still not told apart after it; then the groups of "
          "varieties that no marker tells apart. Up to 20 markers every subset is weighed "
          "(the smallest set); beyond, a greedy cover with redundant markers removed."},
    Entry{Cli::SummaryDescription,
          "Print the locus table of the source: per marker N, missing_pct, Na, Ne, Ho, He, uHe, "
          "PIC, F, null_freq, HWE_p, HWE_method, PI, PIsib, PI_cum and PIsib_cum over the "
          "varieties typed there, then a line of means. A run writes the same table, with the "
          "identical varieties and the figures by group, on the NAME.sum sheet."},
    Entry{Cli::SummaryFormatOption,
          "text: aligned columns for reading (the default); tsv: tab-separated, numbers in full "
          "precision"},
    Entry{Cli::SummaryOutputOption, "write the table to this file instead of standard output"},
    Entry{Cli::ImportDescription,
          "Make a new workbook with a source sheet (NAME.org) from a GENEPOP file, a GenAlEx "
          "CSV or a CSV in AlleleScope's table layout (marker names in the head row, variety "
          "names in the first column, cells such as 180/192). The populations of a GENEPOP or "
          "GenAlEx file go to a second sheet, Groups, and its title to B2. A CSV may be "
          "separated by commas, semicolons or tabs. A text that is not UTF-8 (or UTF-16 with "
          "its byte-order mark) needs --encoding. An existing file is never overwritten; "
          "a malformed file gets a message with its line number and nothing is written."},
    Entry{Cli::ImportFileArgument, "the file to read"},
    Entry{Cli::ImportOutputOption, "the new workbook (.xlsx)"},
    Entry{Cli::ImportFormatOption,
          "genepop, genalex or csv (default: by the extension: .gen genepop, otherwise a CSV "
          "whose first row tells GenAlEx from the table layout)"},
    Entry{Cli::ProblemLine, "{}\t{}\t{}"},
    Entry{Cli::NothingWritten, "the data have problems (listed above); nothing was written"},
    Entry{Cli::ExportWritten, "Written to {}"},
    Entry{Cli::RenamedVariety, "variety \"{}\" written as \"{}\""},
    Entry{Cli::RenamedMarker, "marker \"{}\" written as \"{}\""},
    Entry{Cli::RenumberedAlleles, "marker \"{}\": alleles written as numbers: {}"},
    Entry{Cli::AlleleNumber, "{}={}"},
    Entry{Cli::CannotWrite, "cannot write {}: {}"},
    Entry{Cli::OutputExists, "{} exists already; nothing was written"},
    Entry{Cli::MarkersExact, "Exact search over every subset of the {} markers:"},
    Entry{Cli::MarkersGreedy, "Greedy cover of the {} markers, redundant markers removed:"},
    Entry{Cli::MarkerLine, "{}\t{}"},
    Entry{Cli::NoPairToTell, "(no marker tells any two varieties apart)"},
    Entry{Cli::MarkersOneVariety, "(one variety only: there are no two varieties to tell apart)"},
    Entry{Cli::InseparableHead, "Varieties that no marker tells apart:"},
    Entry{Cli::InseparableNone, "(none: every two varieties are told apart)"},
    Entry{Cli::InseparableLine, "{}"},
    Entry{Cli::ImportWritten, "{}: {} varieties, {} markers"},
    Entry{Cli::ImportProblem, "{}: line {}: {}; nothing was written"},
    Entry{Cli::ImportEmpty, "the file is empty"},
    Entry{Cli::ImportBinary, "this is not a text file (it holds a zero byte)"},
    Entry{Cli::ImportNoPop, "the file ends before the first Pop line"},
    Entry{Cli::ImportNoLoci, "no marker names"},
    Entry{Cli::ImportFieldCount, "expected {} fields, found {}"},
    Entry{Cli::ImportNotNumeric, "allele \"{}\" is not a whole number"},
    Entry{Cli::ImportGenotypeForm,
          "genotype \"{}\" is not four or six digits (two or three per allele)"},
    Entry{Cli::ImportCountsRow,
          "the first row must hold the numbers of markers, samples and populations"},
    Entry{Cli::ImportTooFewRows, "the counts row promises {} samples, the file holds {}"},
    Entry{Cli::ImportEmptyName, "a marker without a name"},
    Entry{Cli::GroupsVarietyHead, "Variety"},
    Entry{Cli::GroupsPopulationHead, "Population"},
    Entry{Cli::CannotRead, "cannot read {}: {}"},
    Entry{Cli::ExportFormatValues, "genepop|structure|genalex REQUIRED"},
    Entry{Cli::SummaryFormatValues, "text|tsv"},
    Entry{Cli::ImportFormatValues, "genepop|genalex|csv"},
    Entry{Cli::IgnoreLockOption,
          "save even though another spreadsheet program seems to hold the workbook open (its "
          "lock file is beside it)"},
    Entry{Cli::LockFileFound,
          "{} is open in another program (its lock file {} is beside it); nothing was run or "
          "saved. Close it there first, or use --ignore-lock if that lock file is left over"},
    Entry{Cli::HardLinkSplit,
          "warning: {} had other names (hard links); only this name holds the results, the "
          "others keep the old version"},
    Entry{Cli::DemoFolderHolds,
          "{} already holds {}; nothing was copied. Choose another folder, or remove them"},
    Entry{Cli::NotRegularFile, "this is not a regular file (a pipe, device or socket)"},
    Entry{Cli::ImportTooLarge, "the file is larger than {} MiB, the most an import reads"},
    Entry{Cli::ImportDoesNotFit, "{}: {}; nothing was written"},
    Entry{Cli::ImportTooManyMarkers, "{} markers, but a sheet has room for {}"},
    Entry{Cli::ImportTooManyVarieties, "{} varieties, but a sheet has room for {}"},
    Entry{Cli::ImportTooManyCells,
          "{} cells of names and genotypes (a row counts as one), but a workbook holds at most {}"},
    Entry{Cli::ImportTextTooLong,
          "a name or genotype of {} characters (\"{}...\"), but a cell holds at most {}"},
    Entry{Cli::OutputIsWorkbook,
          "{} is a workbook, which the export would replace by a text file; nothing was "
          "written. Choose another file name"},
    Entry{Cli::OutputFailed, "cannot write the output: {}"},
    Entry{Cli::ImportControl,
          "a control character ({}) where only text, tabs and line ends may stand"},
    Entry{Cli::ImportTooManyPlaces,
          "{} places for genotypes (varieties times markers, empty ones too), but an import "
          "takes at most {}"},
    Entry{Cli::OutputNamesWorkbook,
          "{} is a workbook's name (.xlsx, .xlsm or .xls), but an export writes text; nothing "
          "was written. Choose a name such as NAME.gen, NAME.str or NAME.csv"},
    Entry{Cli::OutputNotAFile, "this is a folder, a disk or a socket, which is never written to"},
    Entry{Cli::OutputIsInput,
          "--output names the workbook itself ({}); a run with --output leaves the workbook as "
          "it is and saves the results as a copy. Name another file, or leave out --output to "
          "save into the workbook"},
    Entry{Cli::ImportGenotypeWidth,
          "genotype \"{}\" is not {} digits as the file's first genotype (a GENEPOP file has one "
          "code width)"},
    Entry{Cli::ImportNotUtf8,
          "this text is not UTF-8; it looks like {}: read it with --encoding {}"},
    Entry{Cli::ImportNotInEncoding, "a byte that is not {} text"},
    Entry{Cli::ImportEncodingOption,
          "the encoding of a text that is not UTF-8, such as CP932 (Shift_JIS), CP1252 or "
          "ISO-8859-1 (a UTF-16 text with its byte-order mark is read as such)"},
    Entry{Cli::UnknownEncoding, "unknown encoding '{}' (see iconv --list)"},
    Entry{Cli::UngroupedVarieties,
          "{} varieties are not on the Groups sheet; they were written as population \"{}\""},
    Entry{Cli::SheetsSummary, "List the sheets and what choosing each would say"},
    Entry{Cli::RunSummary, "Analyse a source sheet and write the result sheets"},
    Entry{Cli::DemoSummary, "Run the bundled example workbooks in a new folder"},
    Entry{Cli::ExportSummary, "Write a source's genotypes for other programs"},
    Entry{Cli::MarkersSummary, "Find a small marker set that tells varieties apart"},
    Entry{Cli::SummarySummary, "Print the per-marker table: diversity, HWE, identity"},
    Entry{Cli::ImportSummary, "Make a workbook from a GENEPOP or CSV file"},
    Entry{Cli::HelpSummary, "Show the help of the program or of one command"},
    Entry{Cli::HelpDescription,
          "Without COMMAND: the commands, the exit statuses and the limits. With COMMAND: what "
          "it does and its options, as `allelescope COMMAND --help` shows them."},
    Entry{Cli::HelpCommandArgument, "the command to explain"},
    Entry{Cli::CommandFooter, "Exit statuses and limits: allelescope help"},
    Entry{Cli::HelpOption, "show this help and exit"},
    Entry{Cli::VersionOption, "print the version and exit"},
    Entry{Cli::VersionLine, "allelescope {}"},
    Entry{Cli::QuietOption,
          "print no stage texts or progress on standard error; errors are still printed"},
    Entry{Cli::NameValue, "NAME"},
    Entry{Cli::FileValue, "FILE"},
    Entry{Cli::UnknownCommand, "unknown command '{}'"},
    Entry{Cli::UnknownOption, "unknown option '{}'"},
    Entry{Cli::UnexpectedArgument, "unexpected argument '{}'"},
    Entry{Cli::MissingValue, "option '{}' needs a value"},
    Entry{Cli::Required, "{} is required"},
    Entry{Cli::InvalidValue, "invalid value for '{}'"},
    Entry{Cli::NoCommand, "no command given"},
    Entry{Cli::UsageFault, "{}"},
    Entry{Cli::HelpHint, "Try 'allelescope help' for more information."},
    Entry{Cli::CommandHelpHint, "Try 'allelescope help {}' for more information."},
    Entry{Cli::TableNoMarkers, "{} has no marker names from {} to the right; nothing was written"},
    Entry{Cli::TableNoVarieties, "{} has no variety names from {} down; nothing was written"},
    Entry{Cli::TableNoNames,
          "{} has no marker names from {} to the right and no variety names from {} down; "
          "nothing was written"},
    Entry{Cli::TableMustStart,
          "a source table has its corner at {}: marker names from {} to the right, variety names "
          "from {} down, each variety's genotypes in its row"},
    Entry{Cli::TableSeemsAt,
          "the table on this sheet seems to have its corner at {}: move it so that the corner is "
          "at {}"},
    Entry{Cli::HelpUsageLabel, "Usage"},
    Entry{Cli::HelpOptionsLabel, "OPTIONS"},
    Entry{Cli::HelpCommandLabel, "COMMAND"},
    Entry{Cli::HelpArgumentsHead, "Positionals:"},
    Entry{Cli::HelpOptionsHead, "Options:"},
    Entry{Cli::HelpCommandsHead, "Subcommands:"},
    Entry{Cli::HelpRequiredLabel, "REQUIRED"},
    Entry{Cli::TreeSummary, "Write a tree of the varieties as Newick"},
    Entry{Cli::TreeDescription,
          "Build a tree of the source's varieties from their distances, by neighbour-joining "
          "(nj, unrooted, written with a three-way root) or by average linkage (upgma), and "
          "write it as Newick (.nwk or .tre, - for standard output) or draw it (.svg or .png: a "
          "dendrogram, a neighbour-joining tree rooted at the midpoint of its longest path). "
          "With --bootstrap N the markers are drawn N times with replacement (a fixed seed: a "
          "run repeats) and each join carries the percentage of replicate trees that hold its "
          "clade."},
    Entry{Cli::DistancesSummary, "Write the distances between the varieties"},
    Entry{Cli::DistancesDescription,
          "Write the distance between every two varieties of the source: as a tab-separated "
          "table (.tsv or .txt, or standard output without -o or with -o -), a head line of the "
          "names after an empty field and then each name with its row, or as a PHYLIP square "
          "matrix (.phy). A marker counts for a pair only where both varieties are typed."},
    Entry{Cli::PcoaSummary, "Write the principal coordinates of the varieties"},
    Entry{Cli::PcoaDescription,
          "Place the varieties on the first two axes of a principal coordinate analysis "
          "(classical multidimensional scaling) of their distances, and write the coordinates "
          "as a tab-separated table (.tsv or .txt, - for standard output): a first line "
          "\"# share\" with the part of the variation each axis shows (of the sum of the "
          "positive eigenvalues), a head line and each variety's name with its two "
          "coordinates; or draw them as a map (.svg or .png), coloured by group where the "
          "workbook has a Groups sheet."},
    Entry{Cli::MethodOption, "how the tree is built: nj (neighbour-joining, the default) or upgma"},
    Entry{Cli::MethodValues, "nj|upgma"},
    Entry{Cli::DistanceOption,
          "the distance: alleles (the default; 1 - shared alleles / 2, averaged over the "
          "markers typed in both) or markers (the share of those markers whose genotypes "
          "differ)"},
    Entry{Cli::DistanceValues, "alleles|markers"},
    Entry{Cli::BootstrapOption, "the number of bootstrap replicates over the markers (0: none)"},
    Entry{Cli::TreeOutputOption,
          "the file to write: .nwk or .tre for Newick (- for standard output), .svg or .png "
          "for a picture"},
    Entry{Cli::DistancesOutputOption,
          "the file to write: .tsv or .txt for a table, .phy for PHYLIP (default: a table on "
          "standard output)"},
    Entry{Cli::PcoaOutputOption,
          "the file to write: .tsv or .txt for a table (- for standard output), .svg or .png "
          "for a map"},
    Entry{Cli::OutputExtension,
          "cannot tell what to write to {}: name a file ending in one of {} (or - for standard "
          "output)"},
    Entry{Cli::PairWithoutDistance,
          "no marker is typed in both {} and {}: the two have no distance"},
    Entry{Cli::NeedsEveryDistance,
          "this output needs a distance between every two varieties; nothing was written"},
    Entry{Cli::DistancesLeftEmpty, "{} pairs have no distance: their fields were left empty"},
    Entry{Cli::TiedJoins,
          "{} joins had another pair equally close: the tree is the one the fixed order of the "
          "varieties gives"},
    Entry{Cli::BootstrapWithoutTree,
          "{} of {} bootstrap replicates left a pair without a distance: they support no clade"},
    Entry{Cli::RelateOption,
          "also write the distances between the varieties (NAME.dst) and their principal "
          "coordinates (NAME.tree)"},
    Entry{Cli::BootstrapProgress, "bootstrap replicate {} of {}"},
};

static_assert(detail::InIdOrder(kEnglish, Cli::BootstrapProgress));

// Heads that import writes into a workbook: a workbook reads the same on every desktop.
constexpr std::array kNeverTranslated = {Cli::GroupsVarietyHead, Cli::GroupsPopulationHead};

bool Translated(Cli id) {
  return std::find(kNeverTranslated.begin(), kNeverTranslated.end(), id) == kNeverTranslated.end();
}

}  // namespace

std::string_view Text(Cli id) {
  return Translated(id) ? detail::TranslatedLookup(kEnglish, id) : English(id);
}
std::string_view English(Cli id) { return detail::Lookup(kEnglish, id); }

namespace detail {
std::vector<std::string_view> CommandLineMsgids() {
  std::vector<std::string_view> texts;
  for (const auto& entry : kEnglish)
    if (Translated(entry.first)) texts.push_back(entry.second);
  return texts;
}
}  // namespace detail

}  // namespace msg
