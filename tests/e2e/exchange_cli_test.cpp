// The exchange commands as a user types them: import a table, look for the
// telling markers, export; data problems and bad files write nothing.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "e2e/CliHarness.h"
#include "exchange/Adegenet.h"
#include "store/Problems.h"

namespace {

using namespace e2e;
namespace fs = std::filesystem;

std::string Line(msg::Cli id) { return Says(id) + "\n"; }

TEST(ExchangeCli, ImportedTableGivesItsTellingMarkersAndInseparableVarieties) {
  TempDir dir;
  // V1 and V3 are alike everywhere; L2 alone tells every other pair apart.
  testsupport::WriteFileBytes(dir.File("beans.csv"),
                              "Name,L1,L2,L3\nV1,180/180,95/95,\nV2,180/180,95/101,\n"
                              "V3,180/180,95/95,\nV4,180/192,101/101,\n");
  const auto imported = Cli({"import", dir.File("beans.csv"), "-o", dir.File("beans.xlsx")});
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_EQ(imported.out,
            msg::Format(msg::Cli::ImportWritten, dir.File("beans.xlsx"), 4, 3) + "\n");
  const auto markers = Cli({"markers", dir.File("beans.xlsx")});
  ASSERT_EQ(markers.exitCode, 0) << markers.err;
  EXPECT_EQ(markers.out, msg::Format(msg::Cli::MarkersExact, 3) + "\n" +
                             msg::Format(msg::Cli::MarkerLine, "L2", 0) + "\n" +
                             Line(msg::Cli::InseparableHead) +
                             msg::Format(msg::Cli::InseparableLine, "V1\tV3") + "\n");
  // One variety has no pair: one line says so, rather than "no marker tells
  // any two apart" beside "every two are told apart".
  const auto one = Cli({"markers", Imported(dir, "Name,L1,L2\nV1,180/192,95/101\n", "one")});
  EXPECT_EQ(one.exitCode, 0) << one.err;
  EXPECT_EQ(one.out,
            msg::Format(msg::Cli::MarkersExact, 2) + "\n" + Line(msg::Cli::MarkersOneVariety));
  // Output that never reached its file is a failure, not "finished".
  const auto full = CliIn("", {"markers", dir.File("one.xlsx")}, " >/dev/full");
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_TRUE(Has(full.err, msg::Format(msg::Cli::OutputFailed, std::strerror(ENOSPC))))
      << full.err;
}

// Every command that analyses the data lists its problems and writes nothing.
TEST(ExchangeCli, DataProblemsAreListedAndNothingIsWritten) {
  TempDir dir;
  const std::string book = Imported(dir, "Name,L1\nA,180/192/200\nB,180/180\n");
  const std::string listed =
      msg::Format(msg::Cli::ProblemLine, store::ProblemText(store::Problem::NotDiploid), "A",
                  "L1") +
      "\n" + Line(msg::Cli::NothingWritten);
  for (const std::string command : {"export", "summary", "tree", "pcoa", "distances"}) {
    const std::string out = dir.File(command == "tree" ? "x.nwk" : "x.tsv");
    std::vector<std::string> args{command, book, "-o", out};
    if (command == "export") args.insert(args.end(), {"--format", "genepop"});
    const auto r = Cli(args);
    EXPECT_EQ(r.exitCode, 3) << command;
    EXPECT_EQ(r.out, listed) << command;
    EXPECT_FALSE(fs::exists(out)) << command;
  }
}

// An imported file's populations and title come back in an export: GenAlEx
// names each population over its size, GENEPOP opens a Pop block for each.
TEST(ExchangeCli, ExportWritesThePopulationsOfTheGroupsSheet) {
  TempDir dir;
  testsupport::WriteFileBytes(dir.File("o.gen"),
                              "Orchard\nL1\nPOP north\nA , 180192\nB , 180180\nPop\nC , 192192\n");
  ASSERT_EQ(Cli({"import", dir.File("o.gen"), "-o", dir.File("o.xlsx")}).exitCode, 0);
  const auto exported = [&](const std::string& format) {
    return Cli({"export", dir.File("o.xlsx"), "--format", format, "-q", "-o", "/dev/stdout"});
  };
  EXPECT_EQ(exported("genalex").out,
            "1,3,2,2,1\nOrchard,,,north,Pop 2\nInd,Pop,L1,\n"
            "A,north,180,192\nB,north,180,180\nC,Pop 2,192,192\n");
  EXPECT_EQ(exported("genepop").out, "Orchard\nL1\nPop\nA , 180192\nB , 180180\nPop\nC , 192192\n");
  // A variety the user took off the Groups sheet goes to the source's own
  // population, and the command says so.
  if (!testsupport::HaveOpenpyxl()) GTEST_SKIP() << "python3-openpyxl is not installed";
  ASSERT_EQ(testsupport::RunPython("import sys, openpyxl\n"
                                   "wb = openpyxl.load_workbook(sys.argv[1])\n"
                                   "wb['Groups'].delete_rows(3)\n"
                                   "wb.save(sys.argv[1])\n",
                                   {dir.File("o.xlsx")})
                .exitCode,
            0);
  const auto r = exported("genalex");
  EXPECT_EQ(r.out,
            "1,3,3,1,1,1\nOrchard,,,north,o,Pop 2\nInd,Pop,L1,\n"
            "A,north,180,192\nB,o,180,180\nC,Pop 2,192,192\n");
  EXPECT_EQ(r.err, msg::Format(msg::Cli::UngroupedVarieties, 1, "o") + "\n");
}

// A CSV saved on a Japanese desktop: refused with the encoding it likely
// has and the option, read with it; an encoding iconv does not know is a
// usage fault. The file's name gives the source sheet's name: a dot in it or
// a long name must still leave a sheet that a run takes as its source.
TEST(ExchangeCli, ImportReadsTheEncodingItIsToldAndNamesTheOneItGuesses) {
  TempDir dir;
  testsupport::WriteFileBytes(dir.File("sj.v2.csv"), "Name,L1\n\x82\xD3\x82\xB6,180/192\n");
  const auto import = [&](const std::string& encoding) {
    std::vector<std::string> args{"import", dir.File("sj.v2.csv"), "-o", dir.File("sj.v2.xlsx")};
    if (!encoding.empty()) args.insert(args.end(), {"--encoding", encoding});
    return Cli(args);
  };
  const auto guessed = import("");
  EXPECT_EQ(guessed.exitCode, 1);
  EXPECT_TRUE(Has(guessed.err, msg::Format(msg::Cli::ImportNotUtf8, "Shift_JIS (CP932)", "CP932")))
      << guessed.err;
  const auto unknown = import("KLINGON");
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_TRUE(Has(unknown.err, msg::Format(msg::Cli::UnknownEncoding, "KLINGON")));
  EXPECT_FALSE(fs::exists(dir.File("sj.v2.xlsx")));
  const auto read = import("cp932");
  EXPECT_EQ(read.exitCode, 0) << read.err;
  EXPECT_EQ(read.out, msg::Format(msg::Cli::ImportWritten, dir.File("sj.v2.xlsx"), 1, 1) + "\n");
  EXPECT_EQ(Cli({"run", dir.File("sj.v2.xlsx"), "-q"}).exitCode, 0);
  const std::string name = "Apple_SSR_genotypes_2020_final_version";
  const auto run = Cli({"run", Imported(dir, "Name,L1\nA,180/192\nB,180/180\n", name), "-q"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
}

// Files an import cannot take are refused before anything is read in full:
// a pipe would block the import for ever, a device or a huge file fill the
// memory, and a table a sheet cannot hold be written half. A malformed file
// is refused with its line, and no workbook is written where one exists: a
// link that leads nowhere is a file there too (the new workbook would appear
// wherever it points).
TEST(ExchangeCli, ImportRefusesPipesHugeFilesAndTablesNoSheetHolds) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("pipe.csv").c_str(), 0600), 0);
  testsupport::WriteFileBytes(dir.File("huge.csv"), "Name,L1\n");
  ASSERT_EQ(::truncate(dir.File("huge.csv").c_str(), (off_t(256) << 20) + 1), 0);  // sparse
  std::string wide = "Name";
  for (int m = 0; m < 16383; ++m) wide += ",L" + std::to_string(m);
  testsupport::WriteFileBytes(dir.File("wide.csv"), wide + "\nA" + std::string(16383, ',') + "\n");
  testsupport::WriteFileBytes(dir.File("long.csv"),
                              "Name,L1\n" + std::string(32768, 'V') + ",1/2\n");
  testsupport::WriteFileBytes(dir.File("bad.gen"), "title\nL1\nPop\nA , 180192 095095\n");
  testsupport::WriteFileBytes(dir.File("ok.csv"), "Name,L1\nA,180/192\n");
  testsupport::WriteFileBytes(dir.File("mine.xlsx"), "mine");
  fs::create_symlink(dir.File("elsewhere.xlsx"), dir.File("link.xlsx"));
  using msg::Cli;
  const struct {
    std::string input, output, message;
  } refused[] = {
      {"pipe.csv", "p.xlsx",
       msg::Format(Cli::CannotRead, dir.File("pipe.csv"), msg::Text(Cli::NotRegularFile))},
      {"huge.csv", "h.xlsx", msg::Format(Cli::ImportTooLarge, 256)},
      {"wide.csv", "w.xlsx", msg::Format(Cli::ImportTooManyMarkers, 16383, 16382)},
      {"long.csv", "l.xlsx",
       msg::Format(Cli::ImportTextTooLong, 32768, std::string(20, 'V'), 32767)},
      {"bad.gen", "b.xlsx",
       msg::Format(Cli::ImportProblem, dir.File("bad.gen"), 4,
                   msg::Format(Cli::ImportFieldCount, 1, 2))},
      {"ok.csv", "link.xlsx", ""},
      {"ok.csv", "mine.xlsx", msg::Format(Cli::OutputExists, dir.File("mine.xlsx"))},
  };
  for (const auto& r : refused) {
    const auto got = e2e::Cli({"import", dir.File(r.input), "-o", dir.File(r.output)});
    EXPECT_EQ(got.exitCode, 1) << r.input;
    EXPECT_TRUE(Has(got.err, r.message)) << got.err;
  }
  EXPECT_EQ(testsupport::FileNames(dir.Path()),
            (std::vector<std::string>{"bad.gen", "huge.csv", "link.xlsx", "long.csv", "mine.xlsx",
                                      "ok.csv", "pipe.csv", "wide.csv"}));
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("mine.xlsx")), "mine");
}

}  // namespace
