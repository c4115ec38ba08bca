#include "FuzzFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fuzz {

namespace {

std::string MakeScratch() {
  const char* tmp = std::getenv("TMPDIR");
  std::string base = tmp && *tmp ? tmp : "/dev/shm";
  if (access(base.c_str(), W_OK) != 0) base = "/tmp";
  std::string pattern = base + "/allelescope-fuzz.XXXXXX";
  if (!mkdtemp(pattern.data())) Fault("cannot make a scratch folder under " + base);
  return pattern;
}

// Removes the folder at a normal exit; libFuzzer exits normally at the end of a run.
struct Scratch {
  std::string dir = MakeScratch();
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
};

}  // namespace

const std::string& ScratchDir() {
  static Scratch scratch;
  return scratch.dir;
}

std::string WriteScratch(const std::string& name, const uint8_t* data, size_t size) {
  std::string path = ScratchDir() + "/" + name;
  WriteFile(path, data, size);
  return path;
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) Fault("cannot write " + path);
  size_t done = 0;
  while (done < size) {
    ssize_t n = write(fd, data + done, size - done);
    if (n <= 0) Fault("cannot write " + path);
    done += static_cast<size_t>(n);
  }
  close(fd);
}

void Fault(const std::string& what) {
  std::fprintf(stderr, "FUZZ FAULT: %s\n", what.c_str());
  std::abort();
}

}  // namespace fuzz
