// DrvConvertDevMode's conversions between DEVMODE versions. The driver keeps no private part, so
// only the public members move.
#pragma once

#include <windows.h>

#include <cstddef>

namespace plotter {

// The Windows NT 3.51 DEVMODE ends before dmICMMethod.
inline constexpr WORD kSpecVersion351 = 0x0320;
inline constexpr WORD kDevModeSize351 = offsetof(DEVMODEW, dmICMMethod);

// Writes `in` as a DEVMODE of `out_size` bytes and version `out_version` into `out`: the members
// both hold are copied, the rest zeroed, and dmFields keeps only members that fit. Fails when
// either size cannot hold even dmFields.
bool ConvertPublicPart(const DEVMODEW& in, DEVMODEW& out, WORD outSize, WORD outVersion);

}  // namespace plotter
