#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "tools/mkpackage/commands.h"

#if defined(_WIN32)
// The commands take UTF-8 text on both systems.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::u8string text = std::filesystem::path(argv[i]).u8string();
    args.emplace_back(text.begin(), text.end());
  }
  return mkpackage::RunMkpackage(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return mkpackage::RunMkpackage(args, std::cout, std::cerr);
}
#endif
