// plotter.dll: the printer graphics DLL. GDI draws each page into an engine-managed 1-bit
// surface sized from the characterization file; the page goes to the printer as ESC/POS raster.
#include <windows.h>
#include <winddi.h>

#include <new>
#include <vector>

#include "components/driver/common/characterization_file.h"
#include "components/driver/render/device_info.h"
#include "components/driver/render/engine.h"
#include "components/driver/render/escpos_raster.h"

namespace {

struct Device {
  HANDLE printer = nullptr;
  HDEV hdev = nullptr;
  HPALETTE palette = nullptr;
  HSURF surface = nullptr;
  plotter::PageGeometry page;
};

Device* DeviceOf(DHPDEV dhpdev) { return reinterpret_cast<Device*>(dhpdev); }

std::wstring DataFilePath(HDEV hdev, HANDLE printer) {
  const plotter::Engine& engine = plotter::GraphicsEngine();
  if (hdev && engine.printerDataFileName) {
    if (const LPWSTR path = engine.printerDataFileName(hdev)) return path;
  }
  return plotter::DataFileOfPrinter(printer);
}

// Index 0 white, 1 black: a set bit is a printed dot, as the printer takes it.
HPALETTE CreateMonochromePalette() {
  ULONG colors[] = {0x00FFFFFF, 0x00000000};
  return plotter::GraphicsEngine().createPalette(PAL_INDEXED, 2, colors, 0, 0, 0);
}

template <typename Info>
void CopyOut(const Info& info, ULONG size, void* out) {
  memcpy(out, &info, size < sizeof(Info) ? size : sizeof(Info));
}

// The DDI's function table holds untyped pointers.
template <typename Function>
PFN Untyped(Function function) {
  return reinterpret_cast<PFN>(reinterpret_cast<void*>(function));
}

bool Write(const Device& device, const std::vector<uint8_t>& bytes) {
  DWORD written = 0;
  return plotter::GraphicsEngine().writePrinter(device.printer, const_cast<uint8_t*>(bytes.data()),
                                                 static_cast<DWORD>(bytes.size()), &written) &&
         written == bytes.size();
}

}  // namespace

// Exported under their plain names: the build links with --kill-at.
#define DRIVER_EXPORT __declspec(dllexport)

extern "C" {

DRIVER_EXPORT DHPDEV APIENTRY DrvEnablePDEV(DEVMODEW* pdm, LPWSTR, ULONG, HSURF*, ULONG cjCaps,
                                            ULONG* pdevcaps, ULONG cjDevInfo, DEVINFO* pdi, HDEV hdev,
                                            LPWSTR pwszDeviceName, HANDLE hDriver) {
  if (!plotter::GraphicsEngine().CanRender() || !pdevcaps || !pdi) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  plotter::DeviceSetup setup;
  if (!plotter::SetUpDevice(DataFilePath(hdev, hDriver), pwszDeviceName, pdm, setup)) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  auto* device = new (std::nothrow) Device{hDriver, hdev, CreateMonochromePalette(), nullptr, setup.page};
  if (!device || !device->palette) {
    delete device;
    return nullptr;
  }
  setup.info.hpalDefault = device->palette;
  CopyOut(setup.gdi, cjCaps, pdevcaps);
  CopyOut(setup.info, cjDevInfo, pdi);
  return reinterpret_cast<DHPDEV>(device);
}

DRIVER_EXPORT VOID APIENTRY DrvCompletePDEV(DHPDEV dhpdev, HDEV hdev) { DeviceOf(dhpdev)->hdev = hdev; }

DRIVER_EXPORT VOID APIENTRY DrvDisablePDEV(DHPDEV dhpdev) {
  Device* device = DeviceOf(dhpdev);
  plotter::GraphicsEngine().deletePalette(device->palette);
  delete device;
}

DRIVER_EXPORT HSURF APIENTRY DrvEnableSurface(DHPDEV dhpdev) {
  Device* device = DeviceOf(dhpdev);
  const plotter::Engine& engine = plotter::GraphicsEngine();
  const LONG stride = (device->page.printable.cx + 31) / 32 * 4;
  const HBITMAP bitmap = engine.createBitmap(device->page.printable, stride, BMF_1BPP, BMF_TOPDOWN, nullptr);
  if (!bitmap) return nullptr;
  const auto surface = reinterpret_cast<HSURF>(bitmap);
  if (!engine.associateSurface(surface, device->hdev, 0)) {
    engine.deleteSurface(surface);
    return nullptr;
  }
  device->surface = surface;
  return surface;
}

DRIVER_EXPORT VOID APIENTRY DrvDisableSurface(DHPDEV dhpdev) {
  Device* device = DeviceOf(dhpdev);
  if (device->surface) plotter::GraphicsEngine().deleteSurface(device->surface);
  device->surface = nullptr;
}

DRIVER_EXPORT BOOL APIENTRY DrvStartDoc(SURFOBJ* pso, LPWSTR, DWORD) {
  return Write(*DeviceOf(pso->dhpdev), plotter::EncodeDocumentStart());
}

DRIVER_EXPORT BOOL APIENTRY DrvEndDoc(SURFOBJ*, FLONG) { return TRUE; }

DRIVER_EXPORT BOOL APIENTRY DrvStartPage(SURFOBJ* pso) {
  memset(pso->pvBits, 0, pso->cjBits);  // index 0: white
  return TRUE;
}

DRIVER_EXPORT BOOL APIENTRY DrvSendPage(SURFOBJ* pso) {
  const plotter::MonoPage page{static_cast<const uint8_t*>(pso->pvScan0), pso->lDelta, pso->sizlBitmap.cx,
                               pso->sizlBitmap.cy};
  return Write(*DeviceOf(pso->dhpdev), plotter::EncodePage(page));
}

DRIVER_EXPORT BOOL APIENTRY DrvEnableDriver(ULONG, ULONG cj, DRVENABLEDATA* pded) {
  static DRVFN functions[] = {
      {INDEX_DrvEnablePDEV, Untyped(DrvEnablePDEV)},
      {INDEX_DrvCompletePDEV, Untyped(DrvCompletePDEV)},
      {INDEX_DrvDisablePDEV, Untyped(DrvDisablePDEV)},
      {INDEX_DrvEnableSurface, Untyped(DrvEnableSurface)},
      {INDEX_DrvDisableSurface, Untyped(DrvDisableSurface)},
      {INDEX_DrvStartDoc, Untyped(DrvStartDoc)},
      {INDEX_DrvEndDoc, Untyped(DrvEndDoc)},
      {INDEX_DrvStartPage, Untyped(DrvStartPage)},
      {INDEX_DrvSendPage, Untyped(DrvSendPage)},
  };
  if (!pded || cj < sizeof(DRVENABLEDATA)) return FALSE;
  pded->iDriverVersion = DDI_DRIVER_VERSION_NT5;
  pded->c = sizeof(functions) / sizeof(functions[0]);
  pded->pdrvfn = functions;
  return TRUE;
}

DRIVER_EXPORT VOID APIENTRY DrvDisableDriver() {}

// Tells the spooler this driver runs in user mode.
DRIVER_EXPORT BOOL APIENTRY DrvQueryDriverInfo(DWORD dwMode, PVOID pBuffer, DWORD cbBuf, PDWORD pcbNeeded) {
  if (dwMode != DRVQUERY_USERMODE || !pcbNeeded) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *pcbNeeded = sizeof(DWORD);
  if (!pBuffer || cbBuf < sizeof(DWORD)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  *static_cast<DWORD*>(pBuffer) = TRUE;
  return TRUE;
}

}  // extern "C"
