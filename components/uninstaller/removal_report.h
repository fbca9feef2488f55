// What a removal could not do, and what it left for the run after the next restart.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uninstaller {

enum class ItemKind {
  kPrinter,
  kPort,
  kDriver,
  kDriverFile,
  kService,
  kShortcut,
  kStartMenuFolder,
  kFile,
  kFolder,
  kRegistryKey,
};

struct NotRemoved {
  ItemKind kind;
  std::wstring name;
  DWORD error;
};

struct RemovalReport {
  std::vector<NotRemoved> notRemoved;
  std::vector<std::wstring> afterRestart;  // paths in the install folder still in use

  void Fail(ItemKind kind, std::wstring name, DWORD error) { notRemoved.push_back({kind, std::move(name), error}); }
  bool AllRemoved() const { return notRemoved.empty(); }
};

}  // namespace uninstaller
