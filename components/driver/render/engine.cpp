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
  Resolve(gdi, "EngCreateBitmap", engine.create_bitmap);
  Resolve(gdi, "EngAssociateSurface", engine.associate_surface);
  Resolve(gdi, "EngDeleteSurface", engine.delete_surface);
  Resolve(gdi, "EngCreatePalette", engine.create_palette);
  Resolve(gdi, "EngDeletePalette", engine.delete_palette);
  Resolve(gdi, "EngWritePrinter", engine.write_printer);
  Resolve(gdi, "EngGetPrinterDataFileName", engine.printer_data_file_name);
  return engine;
}

}  // namespace

bool Engine::CanRender() const {
  return create_bitmap && associate_surface && delete_surface && create_palette && delete_palette &&
         write_printer;
}

const Engine& GraphicsEngine() {
  static const Engine engine = ResolveEngine();
  return engine;
}

}  // namespace plotter
