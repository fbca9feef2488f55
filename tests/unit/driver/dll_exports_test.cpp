#include <windows.h>
#include <winddi.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/unit/driver/component_files.h"

namespace {

using test::LoadedDll;

TEST(DriverDlls, EveryPackagedDllLoadsInThisBitness) {
  for (const wchar_t* name :
       {L"plotter.dll", L"plotui.dll", L"ENGLISH.DLL", L"CHISMPL.DLL", L"CHITRAD.DLL", L"Image.dll"}) {
    const LoadedDll dll(test::ComponentPath(name));
    EXPECT_NE(dll.Get(), nullptr) << std::string(name, name + wcslen(name)) << " error " << GetLastError();
  }
}

TEST(DriverDlls, PairExportsTheEntryPointsOfAUserModeDriver) {
  const std::pair<const wchar_t*, std::vector<const char*>> dlls[] = {
      {L"plotter.dll",
       {"DrvEnableDriver", "DrvDisableDriver", "DrvQueryDriverInfo", "DrvEnablePDEV", "DrvCompletePDEV",
        "DrvDisablePDEV", "DrvEnableSurface", "DrvDisableSurface", "DrvStartDoc", "DrvEndDoc", "DrvStartPage",
        "DrvSendPage"}},
      {L"plotui.dll",
       {"DrvDeviceCapabilities", "DrvConvertDevMode", "DrvDocumentPropertySheets", "DrvDevicePropertySheets",
        "DevQueryPrintEx", "DrvPrinterEvent"}}};
  for (const auto& [name, entries] : dlls) {
    const LoadedDll dll(test::ComponentPath(name));
    ASSERT_NE(dll.Get(), nullptr);
    for (const char* entry : entries) EXPECT_NE(GetProcAddress(dll.Get(), entry), nullptr) << entry;
  }
}

TEST(DriverDlls, EnableDriverHandsGdiTheExportedFunctionsUnderTheirIndices) {
  const LoadedDll dll(test::ComponentPath(L"plotter.dll"));
  const auto enable = dll.Entry<BOOL(APIENTRY*)(ULONG, ULONG, DRVENABLEDATA*)>("DrvEnableDriver");
  ASSERT_NE(enable, nullptr);
  DRVENABLEDATA data{};
  EXPECT_FALSE(enable(DDI_DRIVER_VERSION_NT5, sizeof(data) - 1, &data));
  ASSERT_TRUE(enable(DDI_DRIVER_VERSION_NT5, sizeof(data), &data));
  EXPECT_EQ(data.iDriverVersion, static_cast<ULONG>(DDI_DRIVER_VERSION_NT5));
  const std::pair<ULONG, const char*> expected[] = {{INDEX_DrvEnablePDEV, "DrvEnablePDEV"},
                                                    {INDEX_DrvCompletePDEV, "DrvCompletePDEV"},
                                                    {INDEX_DrvDisablePDEV, "DrvDisablePDEV"},
                                                    {INDEX_DrvEnableSurface, "DrvEnableSurface"},
                                                    {INDEX_DrvDisableSurface, "DrvDisableSurface"},
                                                    {INDEX_DrvStartDoc, "DrvStartDoc"},
                                                    {INDEX_DrvEndDoc, "DrvEndDoc"},
                                                    {INDEX_DrvStartPage, "DrvStartPage"},
                                                    {INDEX_DrvSendPage, "DrvSendPage"}};
  ASSERT_EQ(data.c, std::size(expected));
  for (const auto& [index, name] : expected) {
    const DRVFN* found =
        std::find_if(data.pdrvfn, data.pdrvfn + data.c, [&](const DRVFN& f) { return f.iFunc == index; });
    ASSERT_NE(found, data.pdrvfn + data.c) << name;
    EXPECT_EQ(reinterpret_cast<void*>(found->pfn), reinterpret_cast<void*>(GetProcAddress(dll.Get(), name)))
        << name;
  }
}

TEST(DriverDlls, GraphicsDllSaysItRunsInUserMode) {
  const LoadedDll dll(test::ComponentPath(L"plotter.dll"));
  const auto query = dll.Entry<BOOL(APIENTRY*)(DWORD, PVOID, DWORD, PDWORD)>("DrvQueryDriverInfo");
  ASSERT_NE(query, nullptr);
  DWORD answer = 0;
  DWORD needed = 0;
  EXPECT_FALSE(query(DRVQUERY_USERMODE, &answer, sizeof(answer) - 1, &needed));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(needed, sizeof(DWORD));
  ASSERT_TRUE(query(DRVQUERY_USERMODE, &answer, sizeof(answer), &needed));
  EXPECT_EQ(answer, static_cast<DWORD>(TRUE));
  EXPECT_FALSE(query(DRVQUERY_USERMODE + 1, &answer, sizeof(answer), &needed));
}

}  // namespace
