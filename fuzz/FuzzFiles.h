#pragma once
// Scratch files for the fuzz targets: the readers take paths, so each input is
// written to a file in a private folder (in memory under /dev/shm unless
// $TMPDIR names another place), removed when the fuzzer exits.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>

namespace fuzz {

// The folder of this process, made on first use.
const std::string& ScratchDir();
// Writes `size` bytes to `path`, replacing it.
void WriteFile(const std::string& path, const uint8_t* data, size_t size);
// Writes `size` bytes to ScratchDir()/name, replacing it; returns the path.
std::string WriteScratch(const std::string& name, const uint8_t* data, size_t size);
// Ends the process with a report: an outcome that is a fault, not a refusal.
[[noreturn]] void Fault(const std::string& what);

// Runs `step`; true when it refused the input. A refusal is a runtime error
// (host::HostError among them): the front ends show it as a message. A logic
// error (out_of_range from .at(), a bad stoi) means the code met a case it
// does not handle, and is a fault.
template <typename Step>
bool Refused(const char* stepName, Step&& step) {
  try {
    step();
    return false;
  } catch (const std::runtime_error&) {
    return true;
  } catch (const std::exception& e) {
    Fault(std::string(stepName) + " threw " + e.what());
  }
}

}  // namespace fuzz
