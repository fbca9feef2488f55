// Finding the package in a file given to mkpackage: the INSTALL/142 resource of a Windows
// executable, a raw resource-form package, or a package appended to a stub, in that order.
// Unlike the installer, which reads entries as it goes, the whole structure is checked first.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace mkpackage {

enum class PackageForm { Raw, Appended, PeResource };

struct PackageEntry {
  std::string name;
  std::span<const uint8_t> stored;  // inside the file
};

struct Package {
  PackageForm form = PackageForm::Raw;
  uint32_t packageOffset = 0;  // appended form: where the package block starts
  bool signedFile = false;     // appended form: an Authenticode certificate table follows it
  std::string header;          // appended form: the header bytes
  std::vector<PackageEntry> entries;
};

// A package, or why none could be read (one line).
using PackageRead = std::variant<Package, std::string>;

// Entries must exactly fill the resource data, or reach exactly to the trailer.
PackageRead ReadPackage(std::span<const uint8_t> file);

// Resource form only; for a raw file or a resource's bytes.
PackageRead ReadResourceForm(std::span<const uint8_t> data);
PackageRead ReadAppendedForm(std::span<const uint8_t> file);

// e.g. "appended package at offset 512".
std::string DescribeForm(const Package& package);

}  // namespace mkpackage
