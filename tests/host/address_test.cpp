// The one reader of A1 addresses, for the procedures' ranges and for the
// references in a workbook's parts: the sheet's bounds, either case, "$"
// signs, values too large for any counter, and everything that is no address.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "host/HostAddress.h"
#include "host/HostError.h"

namespace {

using host::CellAddress;
using host::RangeAddress;

TEST(Address, ReadsEveryCellOfTheSheetAndNothingElse) {
  const struct {
    const char* text;
    std::optional<CellAddress> cell;
  } cases[] = {
      {"B4", CellAddress{4, 2}},
      {"$C$4", CellAddress{4, 3}},
      {"$ir$316", CellAddress{316, 252}},
      {"b$4", CellAddress{4, 2}},
      {"A1", CellAddress{1, 1}},
      {"XFD1048576", CellAddress{1048576, 16384}},
      {"A01", CellAddress{1, 1}},
      {"XFE1", std::nullopt},
      {"A1048577", std::nullopt},
      {"AAAAAAA1", std::nullopt},
      {"A99999999999999999999999", std::nullopt},
      {"", std::nullopt},
      {"$", std::nullopt},
      {"B", std::nullopt},
      {"4", std::nullopt},
      {"4B", std::nullopt},
      {"B0", std::nullopt},
      {"B4x", std::nullopt},
      {" B4", std::nullopt},
      {"B 4", std::nullopt},
      {"$$B4", std::nullopt},
      {"B4$", std::nullopt},
      {"B-4", std::nullopt},
      {"Ä4", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(host::ReadCellAddress(c.text), c.cell) << c.text;
    if (!c.cell) {
      EXPECT_THROW(host::ParseCellAddress(c.text), host::HostError) << c.text;
    }
  }
}

TEST(Address, ReadsRangesWithTheirCornersInAnyOrder) {
  const RangeAddress a1c3{{1, 1}, {3, 3}};
  const struct {
    const char* text;
    std::optional<RangeAddress> range;
  } cases[] = {
      {"A1:C3", a1c3},
      {"C3:A1", a1c3},
      {"A3:C1", a1c3},
      {"$a$1:$C3", a1c3},
      {"B4", RangeAddress{{4, 2}, {4, 2}}},
      {"A1:XFD1048576", RangeAddress{{1, 1}, {1048576, 16384}}},
      {"A1:", std::nullopt},
      {":C3", std::nullopt},
      {"A1:C3:D4", std::nullopt},
      {"A1:XFE1", std::nullopt},
      {"A1-C3", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(host::ReadRangeAddress(c.text), c.range) << c.text;
    if (!c.range) {
      EXPECT_THROW(host::ParseRangeAddress(c.text), host::HostError) << c.text;
    }
  }
}

TEST(Address, ColumnLettersReadBackAsTheirColumn) {
  const struct {
    int column;
    const char* letters;
  } cases[] = {{1, "A"},   {26, "Z"},   {27, "AA"},   {52, "AZ"},
               {53, "BA"}, {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}};
  for (const auto& c : cases) {
    EXPECT_EQ(host::ColumnLetters(c.column), c.letters);
    EXPECT_EQ(host::ReadCellAddress(std::string(c.letters) + "7"), (CellAddress{7, c.column}));
  }
  EXPECT_THROW(host::ColumnLetters(0), host::HostError);
  EXPECT_THROW(host::ColumnLetters(16385), host::HostError);
}

}  // namespace
