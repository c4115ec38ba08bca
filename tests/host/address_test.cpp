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
  const std::pair<const char*, CellAddress> good[] = {
      {"B4", {4, 2}}, {"$C$4", {4, 3}}, {"$ir$316", {316, 252}},         {"b$4", {4, 2}},
      {"A1", {1, 1}}, {"A01", {1, 1}},  {"XFD1048576", {1048576, 16384}}};
  for (const auto& [text, cell] : good) EXPECT_EQ(host::ReadCellAddress(text), cell) << text;
  for (const char* bad : {"XFE1", "A1048577", "AAAAAAA1", "A99999999999999999999999", "", "$", "B",
                          "4", "4B", "B0", "B4x", " B4", "B 4", "$$B4", "B4$", "B-4", "Ä4"}) {
    EXPECT_EQ(host::ReadCellAddress(bad), std::nullopt) << bad;
    EXPECT_THROW(host::ParseCellAddress(bad), host::HostError) << bad;
  }
}

TEST(Address, ReadsRangesWithTheirCornersInAnyOrder) {
  const RangeAddress a1c3{{1, 1}, {3, 3}};
  const std::pair<const char*, RangeAddress> good[] = {
      {"A1:C3", a1c3},    {"C3:A1", a1c3},          {"A3:C1", a1c3},
      {"$a$1:$C3", a1c3}, {"B4", {{4, 2}, {4, 2}}}, {"A1:XFD1048576", {{1, 1}, {1048576, 16384}}}};
  for (const auto& [text, range] : good) EXPECT_EQ(host::ReadRangeAddress(text), range) << text;
  for (const char* bad : {"A1:", ":C3", "A1:C3:D4", "A1:XFE1", "A1-C3"}) {
    EXPECT_EQ(host::ReadRangeAddress(bad), std::nullopt) << bad;
    EXPECT_THROW(host::ParseRangeAddress(bad), host::HostError) << bad;
  }
}

TEST(Address, ColumnLettersReadBackAsTheirColumn) {
  const std::pair<int, const char*> cases[] = {{1, "A"},     {26, "Z"},     {27, "AA"},
                                               {52, "AZ"},   {53, "BA"},    {702, "ZZ"},
                                               {703, "AAA"}, {16384, "XFD"}};
  for (const auto& [column, letters] : cases) {
    EXPECT_EQ(host::ColumnLetters(column), letters);
    EXPECT_EQ(host::ReadCellAddress(std::string(letters) + "7"), (CellAddress{7, column}));
  }
  EXPECT_THROW(host::ColumnLetters(0), host::HostError);
  EXPECT_THROW(host::ColumnLetters(16385), host::HostError);
}

}  // namespace
