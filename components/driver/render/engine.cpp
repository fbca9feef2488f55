#include "components/driver/render/engine.h"

namespace plotter {
namespace {

template <typename Function>
void Resolve(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

Engine ResolveEngine() {
  Engine engine;
  // Held for the life of the process, as the driver is.
  const HMODULE gdi = LoadLibraryW(L"gdi32.dll");
  if (!gdi) return engine;
  Resolve(gdi, "EngCreateBitmap", engine.createBitmap);
  Resolve(gdi, "EngAssociateSurface", engine.associateSurface);
  Resolve(gdi, "EngDeleteSurface", engine.deleteSurface);
  Resolve(gdi, "EngCreatePalette", engine.createPalette);
  Resolve(gdi, "EngDeletePalette", engine.deletePalette);
  Resolve(gdi, "EngWritePrinter", engine.writePrinter);
  Resolve(gdi, "EngGetPrinterDataFileName", engine.printerDataFileName);
  return engine;
}

}  // namespace

bool Engine::CanRender() const {
  return createBitmap && associateSurface && deleteSurface && createPalette && deletePalette &&
         writePrinter;
}

const Engine& GraphicsEngine() {
  static const Engine engine = ResolveEngine();
  return engine;
}

}  // namespace plotter
