// `allelescope demo [DIR]`: runs the bundled example workbooks.
#include <fmt/format.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "app/cli/Command.h"

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
      : Command(parent, "demo",
                "Copy the bundled example workbooks into DIR (default: a new folder "
                "./allelescope-demo-N) and run each with every option (0/1, Combination, "
                "Ukai). The copies hold the results; the bundled files stay as they are.") {
    sub_->add_option("DIR", dir_, "where to put the copies (created if missing)");
  }

 protected:
  int Run(std::ostream& out, std::ostream& err) override {
    const fs::path examples = FindExamples();
    if (examples.empty()) {
      err << "allelescope: the bundled examples were not found (looked beside the program and "
             "in $ALLELESCOPE_SOURCE_DIR/examples)\n";
      return kUnreadable;
    }
    const fs::path dir = dir_.empty() ? FreshDemoDir() : fs::path(dir_);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
      err << fmt::format("allelescope: cannot create {}: {}\n", dir.string(), ec.message());
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
        err << fmt::format("allelescope: cannot copy {} to {}: {}\n", source.string(),
                           copy.string(), ec.message());
        worst = kUnreadable;
        continue;
      }
      out << copy.filename().string() << ":\n";
      RunRequest request;
      request.workbook = copy.string();
      request.zoo = request.combination = request.ukai = true;
      const int code = Execute1(request, out, err);
      if (code == kUnreadable || (code != kFinished && worst == kFinished)) worst = code;
    }
    out << "Results are in " << fs::absolute(dir).string() << '\n';
    return worst;
  }

 private:
  static int Execute1(const RunRequest& request, std::ostream& out, std::ostream& err) {
    try {
      return RunWorkbook(request, out, err);
    } catch (const host::HostError& e) {
      err << "allelescope: " << Describe(e) << '\n';
      return kUnreadable;
    }
  }
  std::string dir_;
};

}  // namespace

std::unique_ptr<Command> MakeDemoCommand(CLI::App& parent) {
  return std::make_unique<DemoCommand>(parent);
}

}  // namespace cli
