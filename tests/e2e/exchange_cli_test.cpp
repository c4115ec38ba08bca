// The exchange commands as a user types them: import a table, look for the
// telling markers, export; data problems and bad files write nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "e2e/CliHarness.h"
#include "messages/CliTexts.h"
#include "store/Problems.h"

namespace {

using e2e::Cli;

std::string Line(msg::Cli id) { return std::string(msg::Text(id)) + "\n"; }

TEST(ExchangeCli, ImportedTableGivesItsTellingMarkersAndInseparableVarieties) {
  testsupport::TempDir dir;
  // V1 and V3 are alike everywhere; L2 alone tells every other pair apart.
  testsupport::WriteFileBytes(dir.File("beans.csv"),
                              "Name,L1,L2,L3\n"
                              "V1,180/180,95/95,\n"
                              "V2,180/180,95/101,\n"
                              "V3,180/180,95/95,\n"
                              "V4,180/192,101/101,\n");
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
  testsupport::WriteFileBytes(dir.File("one.csv"), "Name,L1,L2\nV1,180/192,95/101\n");
  ASSERT_EQ(Cli({"import", dir.File("one.csv"), "-o", dir.File("one.xlsx")}).exitCode, 0);
  const auto one = Cli({"markers", dir.File("one.xlsx")});
  EXPECT_EQ(one.exitCode, 0) << one.err;
  EXPECT_EQ(one.out,
            msg::Format(msg::Cli::MarkersExact, 2) + "\n" + Line(msg::Cli::MarkersOneVariety));
}

TEST(ExchangeCli, ExportOfDataWithProblemsListsThemAndWritesNothing) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("t.csv"), "Name,L1\nA,180/192/200\nB,180/180\n");
  ASSERT_EQ(Cli({"import", dir.File("t.csv"), "-o", dir.File("t.xlsx")}).exitCode, 0);
  const auto r =
      Cli({"export", dir.File("t.xlsx"), "--format", "genepop", "-o", dir.File("t.gen")});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.out, msg::Format(msg::Cli::ProblemLine,
                               store::ProblemText(store::Problem::NotDiploid), "A", "L1") +
                       "\n" + Line(msg::Cli::NothingWritten));
  EXPECT_FALSE(std::filesystem::exists(dir.File("t.gen")));
}

TEST(ExchangeCli, ImportRefusesBadFilesAndExistingWorkbooks) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("bad.gen"), "title\nL1\nPop\nA , 180192 095095\n");
  const auto bad = Cli({"import", dir.File("bad.gen"), "-o", dir.File("bad.xlsx")});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.err.find(msg::Format(msg::Cli::ImportProblem, dir.File("bad.gen"), 4,
                                     msg::Format(msg::Cli::ImportFieldCount, 1, 2))),
            std::string::npos)
      << bad.err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("bad.xlsx")));

  testsupport::WriteFileBytes(dir.File("ok.csv"), "Name,L1\nA,180/192\n");
  // A link that leads nowhere is a file there too: the new workbook would
  // appear wherever it points.
  std::filesystem::create_symlink(dir.File("elsewhere.xlsx"), dir.File("link.xlsx"));
  EXPECT_EQ(Cli({"import", dir.File("ok.csv"), "-o", dir.File("link.xlsx")}).exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("elsewhere.xlsx")));
  testsupport::WriteFileBytes(dir.File("mine.xlsx"), "mine");
  const auto exists = Cli({"import", dir.File("ok.csv"), "-o", dir.File("mine.xlsx")});
  EXPECT_EQ(exists.exitCode, 1);
  EXPECT_NE(exists.err.find(msg::Format(msg::Cli::OutputExists, dir.File("mine.xlsx"))),
            std::string::npos);
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("mine.xlsx")), "mine");
}

// An imported file's populations and title come back in an export: GenAlEx
// names each population over its size, GENEPOP opens a Pop block for each.
TEST(ExchangeCli, ExportWritesThePopulationsOfTheGroupsSheet) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("o.gen"),
                              "Orchard\nL1\nPOP north\nA , 180192\nB , 180180\nPop\nC , 192192\n");
  ASSERT_EQ(Cli({"import", dir.File("o.gen"), "-o", dir.File("o.xlsx")}).exitCode, 0);
  for (const auto& [format, text] :
       {std::pair<std::string, std::string>{"genalex",
                                            "1,3,2,2,1\nOrchard,,,north,Pop 2\nInd,Pop,L1,\n"
                                            "A,north,180,192\nB,north,180,180\nC,Pop 2,192,192\n"},
        {"genepop", "Orchard\nL1\nPop\nA , 180192\nB , 180180\nPop\nC , 192192\n"}}) {
    const auto r =
        Cli({"export", dir.File("o.xlsx"), "--format", format, "-q", "-o", "/dev/stdout"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, text) << format;
  }
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
  const auto r =
      Cli({"export", dir.File("o.xlsx"), "--format", "genalex", "-q", "-o", "/dev/stdout"});
  EXPECT_EQ(r.out,
            "1,3,3,1,1,1\nOrchard,,,north,o,Pop 2\nInd,Pop,L1,\n"
            "A,north,180,192\nB,o,180,180\nC,Pop 2,192,192\n");
  EXPECT_EQ(r.err, msg::Format(msg::Cli::UngroupedVarieties, 1, "o") + "\n");
}

// A CSV saved on a Japanese desktop: refused with the encoding it likely
// has and the option, read with it; an encoding iconv does not know is a
// usage fault.
TEST(ExchangeCli, ImportReadsTheEncodingItIsToldAndNamesTheOneItGuesses) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("sjis.csv"), "Name,L1\n\x82\xD3\x82\xB6,180/192\n");
  const auto guessed = Cli({"import", dir.File("sjis.csv"), "-o", dir.File("a.xlsx")});
  EXPECT_EQ(guessed.exitCode, 1);
  EXPECT_NE(guessed.err.find(msg::Format(msg::Cli::ImportNotUtf8, "Shift_JIS (CP932)", "CP932")),
            std::string::npos)
      << guessed.err;
  const auto unknown =
      Cli({"import", dir.File("sjis.csv"), "-o", dir.File("b.xlsx"), "--encoding", "KLINGON"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_NE(unknown.err.find(msg::Format(msg::Cli::UnknownEncoding, "KLINGON")), std::string::npos);
  const auto read =
      Cli({"import", dir.File("sjis.csv"), "-o", dir.File("c.xlsx"), "--encoding", "cp932"});
  EXPECT_EQ(read.exitCode, 0) << read.err;
  EXPECT_EQ(read.out, msg::Format(msg::Cli::ImportWritten, dir.File("c.xlsx"), 1, 1) + "\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("a.xlsx")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("b.xlsx")));
}

// The file's name gives the source sheet's name; a dot in it or a long name
// must still leave a sheet that a run takes as its source.
TEST(ExchangeCli, ImportedSheetIsASourceWhateverTheFileIsCalled) {
  testsupport::TempDir dir;
  const std::string table = "Name,L1\nA,180/192\nB,180/180\n";
  for (const std::string name : {"apple.v2", "Apple_SSR_genotypes_2020_final_version"}) {
    testsupport::WriteFileBytes(dir.File(name + ".csv"), table);
    ASSERT_EQ(Cli({"import", dir.File(name + ".csv"), "-o", dir.File(name + ".xlsx")}).exitCode, 0);
    const auto run = Cli({"run", dir.File(name + ".xlsx"), "-q"});
    EXPECT_EQ(run.exitCode, 0) << name << ": " << run.err;
  }
}

// Output that never reached its file is a failure: the list of telling
// markers redirected to a full disk must not end as "finished".
TEST(ExchangeCli, OutputLostOnAFullDiskIsAFailure) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("t.csv"), "Name,L1\nA,180/192\nB,180/180\n");
  ASSERT_EQ(Cli({"import", dir.File("t.csv"), "-o", dir.File("t.xlsx")}).exitCode, 0);
  const auto full =
      testsupport::RunCommand("env -u LANGUAGE LC_ALL=C " + testsupport::Quote(ALLELESCOPE_CLI) +
                              " markers " + testsupport::Quote(dir.File("t.xlsx")) + " >/dev/full");
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_NE(full.err.find(msg::Format(msg::Cli::OutputFailed, std::strerror(ENOSPC))),
            std::string::npos)
      << full.err;
}

// Files an import cannot take are refused before anything is read in full:
// a pipe would block the import for ever, a device or a huge file fill the
// memory, and a table a sheet cannot hold be written half.
TEST(ExchangeCli, ImportRefusesPipesHugeFilesAndTablesNoSheetHolds) {
  testsupport::TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("pipe.csv").c_str(), 0600), 0);
  const auto pipe = Cli({"import", dir.File("pipe.csv"), "-o", dir.File("p.xlsx")});
  EXPECT_EQ(pipe.exitCode, 1);
  EXPECT_NE(pipe.err.find(msg::Format(msg::Cli::CannotRead, dir.File("pipe.csv"),
                                      msg::Text(msg::Cli::NotRegularFile))),
            std::string::npos)
      << pipe.err;

  testsupport::WriteFileBytes(dir.File("huge.csv"), "Name,L1\n");
  ASSERT_EQ(::truncate(dir.File("huge.csv").c_str(), (off_t(256) << 20) + 1), 0);  // sparse
  const auto huge = Cli({"import", dir.File("huge.csv"), "-o", dir.File("h.xlsx")});
  EXPECT_NE(huge.err.find(msg::Format(msg::Cli::ImportTooLarge, 256)), std::string::npos)
      << huge.err;

  std::string wide = "Name";
  for (int m = 0; m < 16383; ++m) wide += ",L" + std::to_string(m);
  testsupport::WriteFileBytes(dir.File("wide.csv"), wide + "\nA" + std::string(16383, ',') + "\n");
  const auto tooWide = Cli({"import", dir.File("wide.csv"), "-o", dir.File("w.xlsx")});
  EXPECT_NE(tooWide.err.find(msg::Format(msg::Cli::ImportTooManyMarkers, 16383, 16382)),
            std::string::npos)
      << tooWide.err;

  testsupport::WriteFileBytes(dir.File("long.csv"),
                              "Name,L1\n" + std::string(32768, 'V') + ",1/2\n");
  const auto tooLong = Cli({"import", dir.File("long.csv"), "-o", dir.File("l.xlsx")});
  EXPECT_NE(tooLong.err.find(
                msg::Format(msg::Cli::ImportTextTooLong, 32768, std::string(20, 'V'), 32767)),
            std::string::npos)
      << tooLong.err;
  for (const char* name : {"p.xlsx", "h.xlsx", "w.xlsx", "l.xlsx"})
    EXPECT_FALSE(std::filesystem::exists(dir.File(name))) << name;
}

// An export replaces its output whole, through a link to the file the link
// names, and never replaces a workbook: the workbook typed twice by mistake
// would be lost for a text file.
TEST(ExchangeCli, ExportNeverReplacesAWorkbookAndWritesThroughLinks) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("t.csv"), "Name,L1\nA,180/192\nB,180/180\n");
  ASSERT_EQ(Cli({"import", dir.File("t.csv"), "-o", dir.File("t.xlsx")}).exitCode, 0);
  const std::string book = testsupport::ReadFileBytes(dir.File("t.xlsx"));
  const auto over =
      Cli({"export", dir.File("t.xlsx"), "--format", "genepop", "-o", dir.File("t.xlsx")});
  EXPECT_EQ(over.exitCode, 2);
  EXPECT_NE(over.err.find(msg::Format(msg::Cli::OutputNamesWorkbook, dir.File("t.xlsx"))),
            std::string::npos)
      << over.err;
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("t.xlsx")), book);

  std::filesystem::create_directory(dir.File("shared"));
  testsupport::WriteFileBytes(dir.File("shared/t.gen"), "old");
  std::filesystem::create_symlink("shared/t.gen", dir.File("t.gen"));
  ASSERT_EQ(
      Cli({"export", dir.File("t.xlsx"), "--format", "genepop", "-o", dir.File("t.gen")}).exitCode,
      0);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("t.gen")));
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("shared/t.gen")).rfind("t\nL1\nPop\n", 0), 0u);
  EXPECT_EQ(testsupport::FileNames(dir.File("shared")), std::vector<std::string>{"t.gen"});

  // Standard output sent to a log is added to, never replaced.
  testsupport::WriteFileBytes(dir.File("log"), "kept\n");
  ASSERT_EQ(testsupport::RunCommand(testsupport::Quote(ALLELESCOPE_CLI) + " export " +
                                    testsupport::Quote(dir.File("t.xlsx")) +
                                    " --format structure -q -o /dev/stdout >>" +
                                    testsupport::Quote(dir.File("log")))
                .exitCode,
            0);
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("log")), "kept\nL1\nA 180 192\nB 180 180\n");
}

}  // namespace
