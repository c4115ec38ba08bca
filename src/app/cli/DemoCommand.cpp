// `allelescope demo [DIR]`: runs the bundled example workbooks.
#include <fcntl.h>
#include <fmt/format.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "app/cli/Command.h"
#include "app/cli/RunWorkbook.h"
#include "app/core/TextFile.h"
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

// A new folder, made here so that nothing planted under its name (a link, a
// folder of someone else's) is used instead.
fs::path FreshDemoDir() {
  for (int n = 1;; ++n) {
    fs::path dir = fs::current_path() / fmt::format("allelescope-demo-{}", n);
    if (::mkdir(dir.c_str(), 0777) == 0 || errno != EEXIST) return dir;
  }
}

bool Exists(const fs::path& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;  // a link counts, wherever it leads
}

// The names of `workbooks` that `dir` holds already, anything under that name.
std::string NamesTaken(const fs::path& dir, const std::vector<fs::path>& workbooks) {
  std::string taken;
  for (const auto& source : workbooks)
    if (Exists(dir / source.filename()))
      taken += (taken.empty() ? "" : ", ") + source.filename().string();
  return taken;
}

// Copies into a new file only: an existing name, a link among them, is never
// written through. Returns the reason it failed, or empty.
std::string CopyExample(const fs::path& source, const fs::path& copy) {
  const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return std::strerror(errno);
  const int out = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  std::string reason = out < 0 ? std::strerror(errno) : "";
  char buffer[1 << 16];
  ssize_t n = 0;
  while (out >= 0 && reason.empty() && (n = ::read(in, buffer, sizeof buffer)) > 0) {
    try {
      app::WriteAll(out, std::string_view(buffer, static_cast<size_t>(n)));
    } catch (const std::runtime_error& e) {
      reason = e.what();
    }
  }
  if (n < 0) reason = std::strerror(errno);
  ::close(in);
  if (out >= 0 && ::close(out) != 0 && reason.empty()) reason = std::strerror(errno);
  if (out >= 0 && !reason.empty()) ::unlink(copy.c_str());
  return reason;
}

// Copies one example and runs it with every option; the run's exit status.
int RunExample(const fs::path& source, const fs::path& copy, bool quiet, std::ostream& out,
               std::ostream& err) {
  if (const std::string reason = CopyExample(source, copy); !reason.empty()) {
    Complain(err, msg::Format(msg::Cli::CannotCopy, source.string(), copy.string(), reason));
    return kUnreadable;
  }
  out << msg::Format(msg::Cli::DemoWorkbook, copy.filename().string()) << '\n';
  RunRequest request;
  request.workbook = copy.string();
  request.options = {
      .zoo = true, .combination = true, .ukai = true, .summary = true, .relate = true};
  request.quiet = quiet;
  return Guarded(err, [&] { return RunWorkbook(request, out, err); });
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
    // Files of those names are not ours to overwrite, nor to run on.
    if (const std::string taken = NamesTaken(dir, workbooks); !taken.empty()) {
      Complain(err, msg::Format(msg::Cli::DemoFolderHolds, dir.string(), taken));
      return kUnreadable;
    }

    int worst = kFinished;
    bool anySaved = false;
    for (const auto& source : workbooks) {
      const int code = RunExample(source, dir / source.filename(), quiet_, out, err);
      anySaved = anySaved || code == kFinished || code == kDataProblems;
      if (code == kUnreadable || (code != kFinished && worst == kFinished)) worst = code;
    }
    // Only a folder that holds results is pointed to.
    if (anySaved) out << msg::Format(msg::Cli::DemoResults, fs::absolute(dir).string()) << '\n';
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
