#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "BatchRun.h"
#include "InterruptWatcher.h"

int main(int argc, char** argv) {
  const tessolan::InterruptWatcher watcher;
  const std::vector<std::string> args(argv + 1, argv + argc);
  const tessolan::BatchStreams streams{std::cout, std::cerr, isatty(STDERR_FILENO) == 1};
  return tessolan::BatchMain(args, streams, watcher.Interrupted());
}
