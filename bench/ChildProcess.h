#pragma once
// Measured work runs in child processes, so each one's time and peak memory
// (ru_maxrss) are its own.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

struct ChildFigures {
  double seconds = 0;  // wall time as the parent saw it
  double peakMb = 0;
  int exitCode = -1;
};

// Waits for a child started at `started`.
inline ChildFigures Reap(pid_t pid, Clock::time_point started) {
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) std::exit(2);
  ChildFigures f;
  f.seconds = Seconds(started, Clock::now());
  f.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
  f.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return f;
}

// Runs `body` in a forked child; what it returns comes back through a pipe.
// A child that fails ends the benchmark.
template <typename Result>
std::pair<Result, ChildFigures> InChild(const std::function<Result()>& body) {
  int fds[2];
  if (pipe(fds) != 0) std::exit(2);
  const auto started = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    const Result result = body();
    if (write(fds[1], &result, sizeof result) != static_cast<ssize_t>(sizeof result)) _exit(3);
    _exit(0);
  }
  close(fds[1]);
  Result result{};
  const ssize_t got = read(fds[0], &result, sizeof result);
  close(fds[0]);
  const ChildFigures f = Reap(pid, started);
  if (got != static_cast<ssize_t>(sizeof result) || f.exitCode != 0) {
    std::fprintf(stderr, "a benchmark child failed\n");
    std::exit(1);
  }
  return {result, f};
}

}  // namespace bench
