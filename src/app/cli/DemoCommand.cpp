// `allelescope demo [DIR]`: runs the bundled example workbooks.
#include <fmt/format.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "app/cli/Command.h"
#include "app/cli/RunWorkbook.h"
#include "messages/CliTexts.h"

namespace fs = std::filesystem;

namespace cli {
namespace {

bool HasWorkbooks(const fs::path& dir) {
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) return false;
  for (const auto& entry : fs::directory_iterator(dir, ec))
    if (entry.path().extension() == ".xlsx") return true;
  return false;
}

// The examples travel with the source tree: look beside the program (a build
// directory inside the tree, or an installed share/), then where the
// environment or the build says the tree is.
fs::path FindExamples() {
  std::vector<fs::path> places;
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const fs::path dir = exe.parent_path();
    places.push_back(dir / "examples");
    places.push_back(dir.parent_path() / "examples");
    places.push_back(dir.parent_path() / "share" / "allelescope" / "examples");
  }
  if (const char* env = std::getenv("ALLELESCOPE_SOURCE_DIR"))
    places.push_back(fs::path(env) / "examples");
#ifdef ALLELESCOPE_SOURCE_DIR
  places.push_back(fs::path(ALLELESCOPE_SOURCE_DIR) / "examples");
#endif
  for (const auto& place : places)
    if (HasWorkbooks(place)) return place;
  return {};
}

fs::path FreshDemoDir() {
  for (int n = 1;; ++n) {
    fs::path dir = fs::current_path() / fmt::format("allelescope-demo-{}", n);
    if (!fs::exists(dir)) return dir;
  }
}

class DemoCommand : public Command {
 public:
  explicit DemoCommand(CLI::App& parent)
      : Command(parent, "demo", msg::Cli::DemoSummary, msg::Cli::DemoDescription) {
    sub_->add_option("DIR", dir_, HelpText(msg::Cli::DemoDirArgument))->type_name("");
    AddQuiet(quiet_);
  }

 protected:
  int Run(std::ostream& out, std::ostream& err) override {
    const fs::path examples = FindExamples();
    if (examples.empty()) {
      Complain(err, msg::Text(msg::Cli::ExamplesNotFound));
      return kUnreadable;
    }
    const fs::path dir = dir_.empty() ? FreshDemoDir() : fs::path(dir_);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
      Complain(err, msg::Format(msg::Cli::CannotCreate, dir.string(), ec.message()));
      return kUnreadable;
    }

    std::vector<fs::path> workbooks;
    for (const auto& entry : fs::directory_iterator(examples))
      if (entry.path().extension() == ".xlsx") workbooks.push_back(entry.path());
    std::sort(workbooks.begin(), workbooks.end());

    int worst = kFinished;
    for (const auto& source : workbooks) {
      const fs::path copy = dir / source.filename();
      fs::copy_file(source, copy, fs::copy_options::overwrite_existing, ec);
      if (ec) {
        Complain(err,
                 msg::Format(msg::Cli::CannotCopy, source.string(), copy.string(), ec.message()));
        worst = kUnreadable;
        continue;
      }
      out << msg::Format(msg::Cli::DemoWorkbook, copy.filename().string()) << '\n';
      RunRequest request;
      request.workbook = copy.string();
      request.options = {.zoo = true, .combination = true, .ukai = true};
      request.quiet = quiet_;
      const int code = Guarded(err, [&] { return RunWorkbook(request, out, err); });
      if (code == kUnreadable || (code != kFinished && worst == kFinished)) worst = code;
    }
    out << msg::Format(msg::Cli::DemoResults, fs::absolute(dir).string()) << '\n';
    return worst;
  }

 private:
  std::string dir_;
  bool quiet_ = false;
};

}  // namespace

std::unique_ptr<Command> MakeDemoCommand(CLI::App& parent) {
  return std::make_unique<DemoCommand>(parent);
}

}  // namespace cli
