#include "tools/mkpackage/commands.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "package/inflate_entry.h"
#include "package/package_walk.h"
#include "tools/mkpackage/container.h"
#include "tools/mkpackage/entry_names.h"
#include "tools/mkpackage/host_files.h"
#include "tools/mkpackage/package_builder.h"
#include "tools/mkpackage/package_check.h"
#include "tools/mkpackage/stream_check.h"
#include "tools/mkpackage/stub_signature.h"

namespace mkpackage {

const char kUsage[] =
    "usage: mkpackage create OUT FILE...\n"
    "       mkpackage append STUB OUT [--header TEXT] FILE...\n"
    "       mkpackage list FILE\n"
    "       mkpackage extract FILE DIR\n"
    "       mkpackage verify FILE\n"
    "       mkpackage check FOLDER\n"
    "\n"
    "create   writes a resource-form package (u32 entry count, then the entries) to OUT.\n"
    "append   writes STUB's bytes, a package block (u32 header length, the header of at\n"
    "         most 50 bytes, the entries) and the trailer (u32 count, u32 offset) to OUT.\n"
    "         A STUB signed with Authenticode is appended to without its signature (and\n"
    "         append says so): sign OUT afterwards; the installer and list, extract and\n"
    "         verify find the package before OUT's certificate table.\n"
    "list     prints one line per entry, in stored order, fields separated by a tab:\n"
    "           NAME<TAB>STORED-SIZE<TAB>UNCOMPRESSED-SIZE\n"
    "         sizes in bytes, decimal; control bytes in a name are shown as '?'.\n"
    "extract  writes every entry under DIR; folder parts of a name become subfolders.\n"
    "         Names and streams are all checked before anything is written.\n"
    "verify   checks that every name is acceptable and each entry is exactly one\n"
    "         complete zlib stream with a valid Adler-32, then prints which package form\n"
    "         was found.\n"
    "check    reads a package folder as the installer will (wizard texts, catalogue,\n"
    "         Text.ini, logo, components, entry names) and prints each finding as\n"
    "           FILE:LINE: error|warning: what is wrong\n"
    "         (line 0: the whole file), then a summary; exit 1 when there is an error.\n"
    "\n"
    "Inputs of create and append: PATH (stored under its base name) or NAME=PATH (stored\n"
    "under NAME; '\\' or '/' in NAME separate folders and are stored as '\\').\n"
    "Names are refused when they are empty or 256 bytes or more, hold ':' (drive prefix),\n"
    "control bytes or any of < > \" | ? *, have an empty part (leading, trailing or\n"
    "doubled separator), a \".\" or \"..\" part, a part ending in a dot or space or a part\n"
    "Windows reserves for a device (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, in any\n"
    "case, alone or before a dot), or clash (the same name twice ignoring ASCII case, or a\n"
    "file that is another entry's folder). verify and extract refuse such names too.\n"
    "\n"
    "FILE of list, extract and verify: a Windows executable carrying the package as\n"
    "resource INSTALL/142, else a raw resource-form package, else a file with an\n"
    "appended package.\n"
    "\n"
    "Exit status: 0 success, 1 bad input, failed I/O (one line on stderr) or an error\n"
    "found by check, 2 usage.\n";

namespace {

using Args = std::span<const std::string>;

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct InputFile {
  std::string name;
  std::filesystem::path path;
};

InputFile ParseInput(const std::string& argument) {
  const size_t equals = argument.find('=');
  if (equals == std::string::npos) {
    return {Utf8Of(PathFromUtf8(argument).filename()), PathFromUtf8(argument)};
  }
  std::string name = argument.substr(0, equals);
  std::replace(name.begin(), name.end(), '/', '\\');
  return {name, PathFromUtf8(argument.substr(equals + 1))};
}

std::string Quoted(std::string_view name) { return "\"" + PrintableName(name) + "\""; }

std::string CountOf(size_t count) {
  return std::to_string(count) + (count == 1 ? " entry" : " entries");
}

void CheckNames(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    if (auto problem = EntryNameProblem(name)) {
      throw CommandError("entry name " + Quoted(name) + " " + *problem);
    }
  }
  if (auto clash = FindNameClash(names)) throw CommandError(*clash);
}

StoredEntry LoadEntry(const InputFile& input) {
  const std::vector<uint8_t> content = ReadWholeFile(input.path);
  StoredEntry entry = MakeEntry(input.name, content);
  if (entry.stored.size() > UINT32_MAX) {
    throw CommandError(Utf8Of(input.path) + " is too large for a package entry");
  }
  return entry;
}

// Every name is checked before any input file is read.
std::vector<StoredEntry> LoadEntries(Args arguments) {
  std::vector<InputFile> inputs;
  std::vector<std::string> names;
  for (const std::string& argument : arguments) {
    inputs.push_back(ParseInput(argument));
    names.push_back(inputs.back().name);
  }
  CheckNames(names);
  std::vector<StoredEntry> entries;
  for (const InputFile& input : inputs) entries.push_back(LoadEntry(input));
  return entries;
}

int Create(Args args, std::ostream&) {
  if (args.size() < 2) throw UsageError("create needs OUT and at least one FILE");
  WriteWholeFile(PathFromUtf8(args[0]), BuildResourcePackage(LoadEntries(args.subspan(1))));
  return 0;
}

// A signature that cannot be removed cleanly is refused rather than left inside the stub.
void RemoveSignatureOf(const std::string& stubPath, const std::string& outPath, std::vector<uint8_t>& stub,
                       std::ostream& out) {
  switch (RemoveStubSignature(stub)) {
    case StubSignature::None: return;
    case StubSignature::Removed:
      out << stubPath << ": Authenticode signature removed before appending; sign " << outPath
          << " afterwards\n";
      return;
    case StubSignature::Misplaced:
      throw CommandError(stubPath + ": its Authenticode certificate table does not end the file; "
                         "give an unsigned stub");
  }
}

int Append(Args args, std::ostream& out) {
  if (args.size() < 3) throw UsageError("append needs STUB, OUT and at least one FILE");
  Args files = args.subspan(2);
  std::string header;
  if (files[0] == "--header") {
    if (files.size() < 3) throw UsageError("--header needs TEXT and at least one FILE after it");
    header = files[1];
    files = files.subspan(2);
  }
  if (header.size() > package::kMaxHeaderLength) {
    throw CommandError("header is " + std::to_string(header.size()) +
                       " bytes; at most 50 are allowed");
  }
  const std::vector<StoredEntry> entries = LoadEntries(files);
  std::vector<uint8_t> stub = ReadWholeFile(PathFromUtf8(args[0]));
  RemoveSignatureOf(args[0], args[1], stub, out);
  if (stub.size() > UINT32_MAX) throw CommandError("stub is too large for a package offset");
  WriteWholeFile(PathFromUtf8(args[1]), BuildAppendedFile(stub, header, entries));
  return 0;
}

struct OpenedPackage {
  std::string path;
  std::vector<uint8_t> bytes;
  Package package;  // its entries point into bytes
};

OpenedPackage OpenPackage(const std::string& path) {
  OpenedPackage opened{path, ReadWholeFile(PathFromUtf8(path)), {}};
  PackageRead read = ReadPackage(opened.bytes);
  if (const auto* why = std::get_if<std::string>(&read)) throw CommandError(path + ": " + *why);
  opened.package = std::move(std::get<Package>(read));
  return opened;
}

[[noreturn]] void ThrowEntryError(const OpenedPackage& opened, const PackageEntry& entry,
                                  const std::string& problem) {
  throw CommandError(opened.path + ": entry " + Quoted(entry.name) + ": " + problem);
}

// Strict (verify): bytes after the stream's end are a problem too; otherwise they are left, as
// the installer leaves them.
enum class Strictness { AsTheInstaller, Strict };

uint64_t CheckedUncompressedSize(const OpenedPackage& opened, const PackageEntry& entry, Strictness strictness) {
  const StreamCheck check = CheckZlibStream(entry.stored);
  const std::string problem = strictness == Strictness::Strict ? check.StrictProblem() : check.problem;
  if (!problem.empty()) ThrowEntryError(opened, entry, problem);
  return check.uncompressedSize;
}

void VerifyStreams(const OpenedPackage& opened, Strictness strictness) {
  for (const PackageEntry& entry : opened.package.entries) CheckedUncompressedSize(opened, entry, strictness);
}

std::string Summary(const OpenedPackage& opened) {
  return DescribeForm(opened.package) + ", " + CountOf(opened.package.entries.size());
}

int List(Args args, std::ostream& out) {
  if (args.size() != 1) throw UsageError("list needs exactly one FILE");
  const OpenedPackage opened = OpenPackage(args[0]);
  std::string listing;  // printed only once every entry has been checked
  for (const PackageEntry& entry : opened.package.entries) {
    listing += PrintableName(entry.name) + '\t' + std::to_string(entry.stored.size()) + '\t' +
               std::to_string(CheckedUncompressedSize(opened, entry, Strictness::AsTheInstaller)) + '\n';
  }
  out << listing;
  return 0;
}

void CheckExtractableNames(const OpenedPackage& opened) {
  std::vector<std::string> names;
  for (const PackageEntry& entry : opened.package.entries) {
    if (auto problem = EntryNameProblem(entry.name)) ThrowEntryError(opened, entry, *problem);
    names.push_back(entry.name);
  }
  if (auto clash = FindNameClash(names)) throw CommandError(opened.path + ": " + *clash);
}

// A name the installer would skip or overwrite fails verification as a bad stream does.
int Verify(Args args, std::ostream& out) {
  if (args.size() != 1) throw UsageError("verify needs exactly one FILE");
  const OpenedPackage opened = OpenPackage(args[0]);
  CheckExtractableNames(opened);
  VerifyStreams(opened, Strictness::Strict);
  out << opened.path << ": " << Summary(opened) << ", all complete\n";
  return 0;
}

std::filesystem::path TargetPath(const std::filesystem::path& dir, std::string_view name) {
  std::filesystem::path target = dir;
  for (std::string_view part : EntryNameParts(name)) target /= PathFromUtf8(part);
  return target;
}

void ExtractEntry(const PackageEntry& entry, const std::filesystem::path& dir) {
  const std::filesystem::path target = TargetPath(dir, entry.name);
  std::error_code error;
  std::filesystem::create_directories(target.parent_path(), error);
  if (error) {
    throw CommandError("cannot create folder " + Utf8Of(target.parent_path()) + ": " +
                       error.message());
  }
  package::MemoryChunkSource source(entry.stored);
  FileSink sink(target);
  package::ProgressCounter progress;
  const int32_t result =
      package::InflateEntry(source, static_cast<uint32_t>(entry.stored.size()), sink, progress);
  if (!sink.Close() || result != package::kExtractOk) {
    throw CommandError("cannot write " + Utf8Of(target) + " (result " + std::to_string(result) +
                       ")");
  }
}

int Extract(Args args, std::ostream& out) {
  if (args.size() != 2) throw UsageError("extract needs FILE and DIR");
  const OpenedPackage opened = OpenPackage(args[0]);
  CheckExtractableNames(opened);
  VerifyStreams(opened, Strictness::AsTheInstaller);
  for (const PackageEntry& entry : opened.package.entries) ExtractEntry(entry, PathFromUtf8(args[1]));
  out << opened.path << ": " << Summary(opened) << ", extracted to " << args[1] << '\n';
  return 0;
}

int Check(Args args, std::ostream& out) {
  if (args.size() != 1) throw UsageError("check needs exactly one FOLDER");
  const std::filesystem::path folder = PathFromUtf8(args[0]);
  return ReportFindings(folder, CheckPackageFolder(folder, DefaultPageLineMeasure()), out);
}

struct Command {
  std::string_view name;
  int (*run)(Args args, std::ostream& out);
};

constexpr Command kCommands[] = {
    {"create", Create}, {"append", Append}, {"list", List}, {"extract", Extract}, {"verify", Verify},
    {"check", Check},
};

int Dispatch(Args args, std::ostream& out) {
  if (args.empty()) throw UsageError("no command given");
  const std::string& name = args[0];
  if (name == "-h" || name == "--help" || name == "help") {
    out << kUsage;
    return 0;
  }
  for (const Command& command : kCommands) {
    if (command.name == name) return command.run(args.subspan(1), out);
  }
  throw UsageError("unknown command \"" + name + "\"");
}

}  // namespace

int RunMkpackage(Args args, std::ostream& out, std::ostream& err) {
  try {
    return Dispatch(args, out);
  } catch (const UsageError& error) {
    err << "mkpackage: " << error.what() << '\n' << kUsage;
    return 2;
  } catch (const std::exception& error) {
    err << "mkpackage: " << error.what() << '\n';
    return 1;
  }
}

}  // namespace mkpackage
