#pragma once
// Reading genotype files of other programs into a table in AlleleScope's own
// source layout: marker names, variety names, one "180/192" text per cell.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace exchange {

enum class ImportKind { Genepop, Genalex, Csv };

struct ImportedTable {
  std::string title;  // the file's title line or row; empty when it has none
  std::vector<std::string> markers;
  std::vector<std::string> varieties;
  std::vector<std::string> populations;         // per variety; empty for a plain CSV
  std::vector<std::vector<std::string>> cells;  // [variety][marker], "" untyped
};

// What a workbook made from an imported table can hold: the host's bounds,
// which this layer cannot include; the import (app/core) passes those and
// checks at compile time that these defaults are the same. The source sheet
// has 16,384 columns, two of them before the markers, and 1,048,576 rows,
// four of them before the varieties; reading a workbook holds at most
// 16,000,000 cells, counted as its reader counts them: every row written
// counts as a cell, and the names (and the sheet of populations, its heads
// and a name and population a variety) count with the genotypes that are
// not empty.
inline constexpr std::size_t kMaxImportMarkers = 16384 - 2;
inline constexpr std::size_t kMaxImportVarieties = 1048576 - 4;
inline constexpr std::size_t kMaxImportCells = 16'000'000;
// Every place of the table (varieties times markers) takes memory while the
// file is read, an untyped one too, though the file may spend a comma on it:
// twice the cells, so that mostly empty tables still stay in about 1 GiB.
inline constexpr std::size_t kMaxImportPlaces = 2 * kMaxImportCells;

// A reader stops at the line where its table passes one of these, so that an
// import never holds more than a workbook could (tests pass smaller ones).
struct ImportLimits {
  std::size_t markers = kMaxImportMarkers;
  std::size_t varieties = kMaxImportVarieties;
  std::size_t cells = kMaxImportCells;
  std::size_t places = kMaxImportPlaces;
};

// A malformed file: the line (from 1) and the user's text of the reason.
class ImportError : public std::runtime_error {
 public:
  ImportError(int line, std::string reason)
      : std::runtime_error(reason), line_(line), reason_(std::move(reason)) {}
  int Line() const { return line_; }
  const std::string& Reason() const { return reason_; }

 private:
  int line_;
  std::string reason_;
};

// Each throws ImportError for a malformed text or a table past `limits`.
ImportedTable ReadGenepop(std::string_view text, const ImportLimits& limits = {});
ImportedTable ReadGenalex(std::string_view text, const ImportLimits& limits = {});
ImportedTable ReadTableCsv(std::string_view text, const ImportLimits& limits = {});

// By the file name (.gen: GENEPOP) and otherwise by the first row: a GenAlEx
// counts row starts with three whole numbers, however large.
ImportKind GuessKind(std::string_view fileName, std::string_view text);

ImportedTable ReadImport(ImportKind kind, std::string_view text, const ImportLimits& limits = {});

}  // namespace exchange
