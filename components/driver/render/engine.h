// The graphics engine services a user-mode printer driver calls. Windows' gdi32 exports them to
// such drivers; they are looked up at run time so that the DLL also loads where they are absent.
#pragma once

#include <windows.h>
#include <winddi.h>

namespace plotter {

struct Engine {
  decltype(&EngCreateBitmap) create_bitmap = nullptr;
  decltype(&EngAssociateSurface) associate_surface = nullptr;
  decltype(&EngDeleteSurface) delete_surface = nullptr;
  decltype(&EngCreatePalette) create_palette = nullptr;
  decltype(&EngDeletePalette) delete_palette = nullptr;
  decltype(&EngWritePrinter) write_printer = nullptr;
  decltype(&EngGetPrinterDataFileName) printer_data_file_name = nullptr;  // optional

  bool CanRender() const;
};

const Engine& GraphicsEngine();

}  // namespace plotter
