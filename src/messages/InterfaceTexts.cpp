#include "messages/InterfaceTexts.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "messages/Catalogue.h"
#include "messages/Language.h"

namespace msg {
namespace {

using Entry = detail::Entry<Ui>;

// The msgids of the translations; po/ja.po holds the Japanese texts users know.
constexpr std::array kEnglish = {
    Entry{Ui::ChooseFile, "Choose the data file"},
    Entry{Ui::ChooseSheet, "Choose the source data sheet"},
    Entry{Ui::NoType, "The kind of data cannot be identified"},
    Entry{Ui::NotSource, "The chosen sheet is not a source sheet"},
    Entry{Ui::SsrChosen, "SSR data chosen"},
    Entry{Ui::ChrChosen, "Character pattern data chosen"},
    Entry{Ui::Reading, "Reading the source data"},
    Entry{Ui::ConvertingSsr, "Converting the SSR data"},
    Entry{Ui::CountingChr, "Counting the character data"},
    Entry{Ui::ZeroOneRunning, "Writing the 0/1 matrices"},
    Entry{Ui::CombinationRunning, "Combination check: counting"},
    Entry{Ui::IdentificationRunning, "Ukai: computing the probabilities"},
    Entry{Ui::SummaryRunning, "Summary: the locus table and the identical varieties"},
    Entry{Ui::Completed, "Conversion and counting completed"},
    Entry{Ui::FinishedNormally, "Finished normally"},
    Entry{Ui::TooManyVarieties, "There are more varieties than allowed"},
    Entry{Ui::TooManyMarkers, "There are more markers than allowed"},
    Entry{Ui::NonNumeric, "The SSR data hold values that are not numbers"},
    Entry{Ui::NotDiploid, "Some data are not diploid"},
    Entry{Ui::TooManyAlleles, "Too many alleles"},
    Entry{Ui::TooManyGenotypes, "Too many genotypes"},
    Entry{Ui::IdenticalGroup, "1 group of varieties that no marker tells apart: see {}"},
    Entry{Ui::IdenticalGroups, "{} groups of varieties that no marker tells apart: see {}"},
    Entry{Ui::ProgramTitle, "AlleleScope"},
    Entry{Ui::TitleBanner, "DNA AlleleScope"},
    Entry{Ui::TitleEdition, "Version {}"},
    Entry{Ui::OptionFrame, "Options"},
    Entry{Ui::OptionCombination, "&Combination"},
    Entry{Ui::OptionIdentification, "&Ukai"},
    Entry{Ui::OptionZeroOne, "&0/1"},
    Entry{Ui::OptionSummary, "Su&mmary"},
    Entry{Ui::StartButton, "&Start"},
    Entry{Ui::QuitButton, "Qui&t"},
    Entry{Ui::HelpButton, "Hel&p"},
    Entry{Ui::OpenFailed, "The workbook could not be opened"},
    Entry{Ui::SheetUnreadable, "The sheet could not be read"},
    Entry{Ui::RunStopped, "The run was stopped"},
    Entry{Ui::FolderUnavailable, "The folder cannot be opened"},
    Entry{Ui::AboutCaption, "About {}"},
    Entry{Ui::VersionLabel, "Version {}.{}.{}"},
    Entry{Ui::Disclaimer,
          "This program is provided as is, without warranty of any kind, express or implied. "
          "You use it at your own risk."},
    Entry{Ui::OkButton, "OK"},
    Entry{Ui::SysInfoButton, "&System Info..."},
    Entry{Ui::SysInfoUnavailable, "System information is not available at this time"},
    // "{: }" keeps a blank where a minus sign would stand, as the comment label always showed
    // numbers.
    Entry{Ui::VarietyComment, "Variety [{: }]"},
    Entry{Ui::MarkerComment, "Marker [{: }]"},
    Entry{Ui::CellComment, "Data [{: }:{: }]"},
    Entry{Ui::MarkerNameComment, "Marker {: }[{}]"},
    Entry{Ui::PairComment, "Varieties [{: }:{: }]"},
    Entry{Ui::SavedElsewhere, "The results were saved in a new workbook:\n{}"},
    Entry{Ui::WaitingForRun, "Waiting for another run on the same workbook to finish"},
    Entry{Ui::LockFileQuestion,
          "{} is open in another program (lock file {}).\n"
          "If you save, the changes of one side may be lost. Run and save anyway?"},
    Entry{Ui::HardLinkSplit,
          "{} has other names (hard links). The results are saved under this name only; the "
          "other names keep the old contents."},
    Entry{Ui::OutOfMemory,
          "The workbook is too large for the memory available. Nothing was changed."},
    Entry{Ui::MenuFile, "&File"},
    Entry{Ui::MenuOpen, "&Open..."},
    Entry{Ui::MenuOpenRecent, "Open &Recent"},
    Entry{Ui::MenuClearRecent, "&Clear the List"},
    Entry{Ui::MenuQuit, "&Quit"},
    Entry{Ui::MenuAnalysis, "&Analysis"},
    Entry{Ui::MenuRun, "&Run"},
    Entry{Ui::MenuHelp, "&Help"},
    Entry{Ui::MenuHelpContents, "AlleleScope &Help"},
    Entry{Ui::MenuAbout, "&About AlleleScope"},
    Entry{Ui::OpenDialogTitle, "Open a Workbook"},
    Entry{Ui::WorkbookFilter, "Workbooks (*.xlsx *.xlsm *.xls)"},
    Entry{Ui::AllFilesFilter, "All files (*)"},
    Entry{Ui::OpenInSpreadsheet, "Open in Sp&readsheet"},
    Entry{Ui::ShowInFolder, "Show in F&older"},
    Entry{Ui::HelpTitle, "AlleleScope Help"},
    Entry{Ui::HelpIntro,
          "AlleleScope reads a table of varieties by markers from a sheet of a workbook and writes "
          "its results into the same workbook as new sheets."},
    Entry{Ui::HelpOpenHeading, "Opening a workbook"},
    Entry{Ui::HelpOpenText,
          "Choose a folder and a workbook in the lists, use File > Open... (Ctrl+O) or File > Open "
          "Recent, or drag a workbook onto the window. Then choose the source sheet in the sheet "
          "list, tick the options and press Start (F5). File > Import... makes a workbook of a "
          "GENEPOP, GenAlEx or CSV genotype file; the Analysis menu shows the smallest marker set, "
          "the locus table, a tree and the principal coordinates of the chosen source without "
          "writing into the workbook."},
    Entry{Ui::HelpSourceHeading, "The source sheet"},
    Entry{Ui::HelpSourceText,
          "Name the sheet NAME.org. Marker names run along row 4 from C4, variety names down "
          "column B from B5, and each cell holds the genotype of that variety at that marker: two "
          "SSR fragment sizes joined by \"/\" (180/192) or character data (AB). An empty cell "
          "means no data."},
    Entry{Ui::HelpResultsHeading, "The result sheets"},
    Entry{
        Ui::HelpResultsText,
        "NAME.err\tthe problems found: each problem, its variety and marker, and the source "
        "cell\nNAME.ssr, NAME.tssr, NAME.pek, NAME.chr\tgenotypes as sizes, sizes relative to a "
        "zero point, peak distances, allele symbols (character data: NAME.chr only)\nNAME.all, "
        "NAME.gnt\tallele and genotype frequencies per marker, with HE, HO and "
        "PIC\nNAME.cmb\t(Combination) the number of markers that tell each pair of varieties "
        "apart\nNAME.ukai\t(Ukai) f0 and P1 per variety: the chance that another variety matches "
        "it\nNAME.sum\t(Summary) the locus table: per marker N, Na, Ne, Ho, He, uHe, PIC, F, null "
        "alleles, the Hardy-Weinberg test and the probabilities of identity, with means; then the "
        "varieties no marker tells apart and the smallest marker set\nNAME.dst, "
        "NAME.tree\t(Distances) the distance of each pair of varieties; the UPGMA and "
        "neighbour-joining trees and the map of principal coordinates above their "
        "coordinates\nMARKER.zoo\t(0/1) 0/1 genotype and allele matrices per marker for phylogeny "
        "software"},
    Entry{Ui::HelpCommandLineHeading, "The command line"},
    Entry{Ui::HelpCommandLineText,
          "allelescope run WORKBOOK runs a source sheet without the window; allelescope help lists "
          "every command (sheets, run, demo, export, import, markers, summary, tree, distances, "
          "pcoa)."},
    Entry{Ui::CloseButton, "Close"},
    Entry{Ui::OptionRelate, "&Distances"},
    Entry{Ui::RelateRunning, "Distances and principal coordinates"},
    Entry{Ui::TipCombination, "Adds NAME.cmb: how many markers tell each pair of varieties apart"},
    Entry{Ui::TipIdentification,
          "Adds NAME.ukai: f0 and P1, the chance that another variety matches each one"},
    Entry{Ui::TipZeroOne,
          "Adds a MARKER.zoo sheet per marker: its 0/1 genotype and allele matrices"},
    Entry{Ui::TipSummary,
          "Adds NAME.sum: the locus table and the varieties that no marker tells apart"},
    Entry{Ui::TipRelate, "Adds NAME.dst and NAME.tree: distances, trees and principal coordinates"},
    Entry{Ui::MenuImport, "&Import..."},
    Entry{Ui::MenuExport, "&Export..."},
    Entry{Ui::MenuMarkers, "Smallest Marker &Set..."},
    Entry{Ui::MenuLocusTable, "&Locus Table..."},
    Entry{Ui::MenuTree, "&Tree..."},
    Entry{Ui::MenuMap, "&Principal Coordinates..."},
    Entry{Ui::ImportDialogTitle, "Import Genotypes"},
    Entry{Ui::ImportFilter, "Genotype files (*.gen *.txt *.csv)"},
    Entry{Ui::ImportSaveTitle, "Save the Imported Workbook"},
    Entry{Ui::XlsxFilter, "Workbooks (*.xlsx)"},
    Entry{Ui::ExportDialogTitle, "Export the Source Sheet"},
    Entry{Ui::GenepopFilter, "GENEPOP (*.gen)"},
    Entry{Ui::StructureFilter, "STRUCTURE (*.str)"},
    Entry{Ui::GenalexFilter, "GenAlEx (*.csv)"},
    Entry{Ui::MarkersTitle, "Smallest Marker Set: {}"},
    Entry{Ui::LocusTableTitle, "Locus Table: {}"},
    Entry{Ui::TreeTitle, "Tree: {}"},
    Entry{Ui::MapTitle, "Principal Coordinates: {}"},
    Entry{Ui::ProblemColumn, "Problem"},
    Entry{Ui::VarietyColumn, "Variety name"},
    Entry{Ui::MarkerColumn, "Marker name"},
    Entry{Ui::CellColumn, "Cell"},
    Entry{Ui::ProblemsOnSheet, "The problems found, also listed on the sheet {}:"},
    Entry{Ui::SystemInfoTitle, "System Information"},
    Entry{Ui::SystemInfoText, "AlleleScope {}\nQt {} (built with {})\nLibraries: {}\nSystem: {}"},
};

static_assert(detail::InIdOrder(kEnglish, Ui::SystemInfoText));

}  // namespace

std::string_view Text(Ui id) { return detail::TranslatedLookup(kEnglish, id); }
std::string_view English(Ui id) { return detail::Lookup(kEnglish, id); }

std::string VarietyComment(int variety) { return Format(Ui::VarietyComment, variety); }
std::string MarkerComment(int marker) { return Format(Ui::MarkerComment, marker); }
std::string CellComment(int variety, int marker) {
  return Format(Ui::CellComment, variety, marker);
}
std::string MarkerNameComment(int marker, std::string_view name) {
  return Format(Ui::MarkerNameComment, marker, name);
}
std::string PairComment(int first, int second) { return Format(Ui::PairComment, first, second); }

namespace detail {
std::vector<std::string_view> InterfaceMsgids() {
  std::vector<std::string_view> texts;
  for (const auto& entry : kEnglish) texts.push_back(entry.second);
  return texts;
}
}  // namespace detail

}  // namespace msg
