#pragma once
// How much of a file the host reads. A workbook is a zip archive, so a file of
// a few megabytes can expand to gigabytes; every reader checks these limits
// and refuses the file with a reason (LimitError) long before memory runs out.
// The limits are the spreadsheet's own where it has them, and otherwise far
// above anything a real workbook holds.
#include <cstddef>
#include <stdexcept>
#include <string>

namespace host {

// The spreadsheet's own limits.
inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;
// The spreadsheet's own limit is about 65,000 distinct cell formats.
inline constexpr int kMaxCellFormats = 65536;
inline constexpr std::size_t kMaxCellCharacters = 32767;

inline constexpr std::size_t kMebibyte = std::size_t(1) << 20;

// One part, decompressed. Streamed parts (sheets, the shared-string table)
// cost time, not memory, for their size; parts read whole into a document
// tree (workbook, styles, relationships, content types) cost memory, so their
// limit is lower, as is the number of elements such a tree may hold.
inline constexpr std::size_t kMaxPartBytes = 1024 * kMebibyte;
inline constexpr std::size_t kMaxDocumentPartBytes = 64 * kMebibyte;
inline constexpr std::size_t kMaxDocumentElements = 2'000'000;
// Real parts nest a dozen levels at most.
inline constexpr int kMaxXmlDepth = 256;
// One tag with its attributes, which the XML parser must hold whole.
inline constexpr std::size_t kMaxTagBytes = 16 * kMebibyte;
// One element of a sheet that the program does not model but keeps as
// written (conditional formats, validations, extensions ...).
inline constexpr std::size_t kMaxKeptElementBytes = 64 * kMebibyte;
// The raw text of one cell: 32,767 characters, each as much as the seven
// bytes of an escaped character (_xHHHH_).
inline constexpr std::size_t kMaxCellTextBytes = kMaxCellCharacters * 7;

// What one workbook's reading may hold in memory at a time, over the sheets
// it holds: cells (about 50 bytes each; rows and merged ranges, which cost no
// more, count as cells), texts (shared strings, cell texts, and what a sheet
// keeps as written: formulas, elements, row and root attributes, each with the
// memory its record takes) and shared-string entries. A part that several
// sheets name counts at each reading. A sheet let go of (a finished result
// sheet, kept compressed until the save) no longer counts, so a run that
// rewrites its result sheets one at a time never holds more than a few of
// them. A source of 500 varieties by 250 markers is 125,000 cells; the
// largest result sheet a run writes, the combination sheet, about 252,000;
// all the result sheets of a run with every option come to about 46 million,
// most of them on 250 0/1 sheets of 179,000.
inline constexpr std::size_t kMaxCells = 16'000'000;
// The memory the legacy .xls reader may take for one workbook. It holds a
// cell for every position of the area each sheet claims, so a small file
// claiming a huge area would take gigabytes; a full legacy sheet (65,536 rows
// by 256 columns) takes about 400 MiB.
inline constexpr std::size_t kMaxLegacyReadBytes = 1024 * kMebibyte;
// A legacy workbook names a sheet by a 16-bit index, and some of its records
// keep 0xFFFF for "no sheet".
inline constexpr unsigned kMaxLegacySheets = 65535;
// The processor time the reader of a legacy .xls workbook may take. A sheet of
// 65,536 rows by 60 columns (3.9 million cells) reads in about 4 s, so the
// largest workbook the cell limit lets through takes about 16 s.
inline constexpr int kMaxLegacyReadSeconds = 120;
inline constexpr std::size_t kMaxTextBytes = 256 * kMebibyte;
// The sheet XML one workbook's reading may parse, over all its sheets. It
// costs time (about 4 s a GiB) rather than memory, and several sheets may
// name one part, so a file of a megabyte naming its gigabyte part a thousand
// times would take an hour. The cells and texts a workbook may hold come to
// well under 2 GiB of XML.
inline constexpr std::size_t kMaxSheetXmlBytes = 4096 * kMebibyte;
inline constexpr std::size_t kMaxSharedStrings = 5'000'000;

// A file beyond one of the limits; the reason says which.
class LimitError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Counts what one workbook's reading holds, against the limits above.
class ReadBudget {
 public:
  // What the reading holds now.
  struct Held {
    std::size_t cells = 0;
    std::size_t text = 0;
  };
  // Each throws LimitError when the total passes its limit.
  void AddCells(std::size_t count);
  void AddText(std::size_t bytes);
  void AddSheetXml(std::size_t bytes);
  Held Holds() const { return {cells_, text_}; }
  // What the reading added since `before` (an earlier Holds()).
  Held AddedSince(const Held& before) const { return {cells_ - before.cells, text_ - before.text}; }
  // The cells and texts of one reading (an AddedSince) have been let go of.
  void Release(const Held& read);

 private:
  std::size_t cells_ = 0;
  std::size_t text_ = 0;
  std::size_t sheetXml_ = 0;
};

// Throws LimitError when a cell's text (UTF-8) has more than kMaxCellCharacters characters.
void CheckCellText(const std::string& text);

}  // namespace host
