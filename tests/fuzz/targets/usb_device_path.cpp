// Slicing a USB printer's device path: the USB id the installer matches against the catalogue
// and the device instance whose registry entries it reads. Takes whole device paths from the
// input, and builds a well-formed one from its parts to check that they come back.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "spooler/usb_device_path.h"
#include "tests/fuzz/targets/fuzz_check.h"

namespace {

void CheckUsbId(const std::string& path) {
  const std::wstring wide(path.begin(), path.end());
  const std::wstring id = spooler::UsbIdOfDevicePath(wide);
  fuzz::Require(id.size() <= spooler::kUsbIdLength, "a USB id of 17 characters at most");
  fuzz::Require(id == (wide.size() <= spooler::kDevicePathPrefixLength ? L"" : wide.substr(8, 17)),
                "the characters after the prefix");
}

void CheckInstance(const std::string& path, const std::string& vidPid) {
  const std::optional<std::string> instance = spooler::DeviceInstanceOf(path, vidPid);
  if (!instance) return;
  fuzz::Require(instance->size() <= spooler::kRegistryTextCapacity, "an instance within its buffer");
  fuzz::Require(instance->find('#') == std::string::npos, "an instance ends at the next '#'");
  const size_t start = path.find(vidPid) + vidPid.size() + 1;
  fuzz::Require(path.compare(start, instance->size(), *instance) == 0, "the instance follows the vid&pid");
}

// \\?\usb#<id>#<instance>#{interface class}: the id and the instance come back as they were.
void CheckWellFormed(const std::string& id, const std::string& instance) {
  const std::string path = "\\\\?\\usb#" + id + "#" + instance + "#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
  const std::wstring wide(path.begin(), path.end());
  fuzz::Require(spooler::UsbIdOfDevicePath(wide) == std::wstring(id.begin(), id.end()), "the id comes back");
  fuzz::Require(spooler::DeviceInstanceOf(path, id) == instance, "the instance comes back");
}

std::string WithoutHash(std::string text) {
  for (char& c : text) {
    if (c == '#' || c == '\\' || c == '?') c = '_';
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string id = WithoutHash(input.ConsumeBytesAsString(spooler::kUsbIdLength));
  const std::string instance = WithoutHash(input.ConsumeRandomLengthString(spooler::kRegistryTextCapacity));
  const std::string vidPid = input.ConsumeRandomLengthString(32);
  const std::string path = input.ConsumeRemainingBytesAsString();
  CheckUsbId(path);
  CheckInstance(path, vidPid);
  if (id.size() == spooler::kUsbIdLength) CheckWellFormed(id, instance);
  return 0;
}
