#pragma once
// Reading genotype files of other programs into a table in AlleleScope's own
// source layout: marker names, variety names, one "180/192" text per cell.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace exchange {

enum class ImportKind { Genepop, Genalex, Csv };

struct ImportedTable {
  std::vector<std::string> markers;
  std::vector<std::string> varieties;
  std::vector<std::string> populations;         // per variety; empty for a plain CSV
  std::vector<std::vector<std::string>> cells;  // [variety][marker], "" untyped
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

// Each throws ImportError for a malformed text.
ImportedTable ReadGenepop(std::string_view text);
ImportedTable ReadGenalex(std::string_view text);
ImportedTable ReadTableCsv(std::string_view text);

// By the file name (.gen: GENEPOP) and otherwise by the first row: a GenAlEx
// counts row starts with three whole numbers.
ImportKind GuessKind(std::string_view fileName, std::string_view text);

ImportedTable ReadImport(ImportKind kind, std::string_view text);

}  // namespace exchange
