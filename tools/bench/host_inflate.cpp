// The host baseline of `make bench`: every stream of a resource-form package inflated into
// memory with plain zlib; prints the seconds it took. Usage: host_inflate PACKAGE
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "package/package_walk.h"
#include "tools/bench/zlib_baseline.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: host_inflate PACKAGE\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<uint8_t> package{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const auto start = std::chrono::steady_clock::now();
  package::ResourcePackageReader reader(package);
  package::MemoryEntry entry;
  bool complete = true;
  while (reader.Next(entry)) {
    complete &= bench::InflateStream(entry.storedBytes, entry.storedSize, [](const uint8_t*, uint32_t) { return true; });
  }
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  if (!complete || reader.Error() != package::WalkError::None) {
    std::fprintf(stderr, "host_inflate: the package did not inflate completely\n");
    return 1;
  }
  std::printf("%.6f\n", seconds.count());
  return 0;
}
