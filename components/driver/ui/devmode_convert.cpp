#include "components/driver/ui/devmode_convert.h"

#include <algorithm>
#include <cstring>

#include "components/driver/common/page_setup.h"

namespace plotter {
namespace {

struct FieldEnd {
  DWORD field;
  size_t end;
};

// The members later DEVMODE versions added, with where each ends.
constexpr FieldEnd kLateFields[] = {
    {DM_ICMMETHOD, offsetof(DEVMODEW, dmICMMethod) + sizeof(DWORD)},
    {DM_ICMINTENT, offsetof(DEVMODEW, dmICMIntent) + sizeof(DWORD)},
    {DM_MEDIATYPE, offsetof(DEVMODEW, dmMediaType) + sizeof(DWORD)},
    {DM_DITHERTYPE, offsetof(DEVMODEW, dmDitherType) + sizeof(DWORD)},
    {DM_PANNINGWIDTH, offsetof(DEVMODEW, dmPanningWidth) + sizeof(DWORD)},
    {DM_PANNINGHEIGHT, offsetof(DEVMODEW, dmPanningHeight) + sizeof(DWORD)},
};

DWORD FieldsThatFit(DWORD fields, size_t size) {
  for (const FieldEnd& late : kLateFields) {
    if (late.end > size) fields &= ~late.field;
  }
  return fields;
}

}  // namespace

bool ConvertPublicPart(const DEVMODEW& in, DEVMODEW& out, WORD outSize, WORD outVersion) {
  if (in.dmSize < kMinDevModeSize || outSize < kMinDevModeSize) return false;
  outSize = std::min<WORD>(outSize, sizeof(DEVMODEW));
  const size_t copied = std::min<size_t>({in.dmSize, outSize, sizeof(DEVMODEW)});
  DEVMODEW converted{};
  std::memcpy(&converted, &in, copied);
  converted.dmSize = outSize;
  converted.dmSpecVersion = outVersion;
  converted.dmDriverExtra = 0;
  converted.dmFields = FieldsThatFit(in.dmFields, copied);
  std::memcpy(&out, &converted, outSize);
  return true;
}

}  // namespace plotter
