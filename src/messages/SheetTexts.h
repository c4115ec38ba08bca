#pragma once
// The English texts written onto the result sheets. Users' files and habits
// rely on them exactly as they are, spelling included ("Caltivar" and
// "Caltiver", "peakes", "vaiety"): change none of them.
#include <string_view>

namespace msg::sheet {

// The error log: title, heads and the message of each kind of problem.
inline constexpr std::string_view kErrorLogTitle = "Error Log";
inline constexpr std::string_view kErrorCodeHead = "Error Code";
inline constexpr std::string_view kVarietyHead = "Caltivar";
inline constexpr std::string_view kMarkerHead = "Marker";
// Added heads: where on the source sheet the problem was met and what is there.
inline constexpr std::string_view kCellHead = "Cell";
inline constexpr std::string_view kFoundHead = "Text Found";
inline constexpr std::string_view kTooManyVarieties = "Too Many Caltivars";
inline constexpr std::string_view kTooManyMarkers = "Too Many Markers";
inline constexpr std::string_view kNotNumeric = "Not Numeric SSR Data Found";
inline constexpr std::string_view kNotDiploid = "Data is not Duplex";
inline constexpr std::string_view kTooManyAlleles = "Too Many Alleles";
inline constexpr std::string_view kTooManyGenotypes = "Too Many Genotypes";

// Every result sheet has its kind in B1 and a description in C1.
struct SheetTitle {
  std::string_view kind;
  std::string_view description;
};
inline constexpr SheetTitle kSsr{"ssr", "Numerical notation of SSR markers."};
inline constexpr SheetTitle kTssr{
    "tssr",
    "Numerical notation of SSR markers when the smaller allele of the first vaiety is set to 0 "
    "in diploid."};
inline constexpr SheetTitle kPek{"pek",
                                 "The distance between two peakes of SSR markers in diploid."};
inline constexpr SheetTitle kChr{"chr",
                                 "Character notation. The alphabet is assigned to numerical small "
                                 "order at alphabetic order in SSR marker."};
inline constexpr SheetTitle kAll{"all",
                                 "Frequency distribution of allele, heterozygosity and PIC "
                                 "(Polymorphic information contents) value."};
inline constexpr SheetTitle kGnt{"gnt", "Frequency distribution of genotype"};
inline constexpr SheetTitle kCmb{
    "cmb",
    "The number of markers which can distinguish in the combination of all the two varieties."};
inline constexpr SheetTitle kIdentification{
    "ukai", "Probability based on the variety identification theory of Ukai"};
inline constexpr SheetTitle kZeroOne{"zoo", "0/1 notation for phylogeny software"};
inline constexpr SheetTitle kDst{
    "dst",
    "Distance between two varieties: 1 - shared alleles / 2, averaged over the markers typed in "
    "both (empty where no marker is typed in both)."};
inline constexpr SheetTitle kTree{
    "tree", "Principal coordinates of the varieties from their distances (the .dst sheet)."};

// The one line an output sheet of an earlier run keeps, in place of results
// this run did not compute, so no sheet shows old results as if they were new.
inline constexpr std::string_view kSkippedForProblems =
    "Not computed in this run because of data problems; see the .err sheet.";
inline constexpr std::string_view kNotChosen =
    "Not computed in this run: the option was not chosen.";
inline constexpr std::string_view kNotSsrData =
    "Not written in this run: the source now holds character data.";

// The totals block under the conversion tables.
inline constexpr std::string_view kNumberOf = "Number of";
inline constexpr std::string_view kAllele = "Allele";
inline constexpr std::string_view kGenotype = "Genotype";
inline constexpr std::string_view kMarker = "Marker";
inline constexpr std::string_view kCaltiver = "Caltiver";

// Legends: the colour names and the counts or distances they stand for.
struct LegendLine {
  std::string_view colour;
  std::string_view meaning;
};
inline constexpr LegendLine kPekLegend[] = {{"Gray", "0"}, {"Red", "1 ～ 2"}, {"Yellow", "3 ～ 4"}};
inline constexpr LegendLine kCmbLegend[] = {
    {"Red", "0"}, {"Yellow", "1"}, {"Green", "2"}, {"Blue", "3"}};

// The statistics blocks of the .all and .gnt sheets.
inline constexpr std::string_view kAlleleLabels[] = {
    "Allele", "Frequency", "Rate", "Heterozygosity(HE)", "Heterozygosity(HO)", "PIC"};
inline constexpr std::string_view kGenotypeLabels[] = {"Genotype", "Frequency", "Rate"};

// The principal coordinates table of the .tree sheet.
inline constexpr std::string_view kAxisHeads[] = {"Axis 1", "Axis 2"};
inline constexpr std::string_view kShareOfVariation = "Share of variation";
// Followed by the names of the first such pair.
inline constexpr std::string_view kNoCoordinates =
    "No coordinates: no marker is typed in both of these varieties:";

// The identification sheet.
inline constexpr std::string_view kTableCorner = "*";
inline constexpr std::string_view kF0 = "f0";
inline constexpr std::string_view kP1 = "p1";
inline constexpr std::string_view kF0Formula = "f0=exp[∑log(fi)/k]";
inline constexpr std::string_view kP1Sentence =
    "Probability that one or more varieties which completely have the same marker type with "
    "variety V in tester varieties exist by chance.";
inline constexpr std::string_view kP1Formula = "P1=1-(1-f0^k)^n";
inline constexpr std::string_view kLiterature = "Literature";
// Only the author and the method are confirmed; complete it with year,
// journal, volume and pages once the publication is verified.
inline constexpr std::string_view kIdentificationReference =
    "Ukai: variety identification theory (probability that varieties are identified by their "
    "marker types)";

}  // namespace msg::sheet
