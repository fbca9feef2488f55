// The graphics engine services a user-mode printer driver calls. Windows' gdi32 exports them to
// such drivers; they are looked up at run time so that the DLL also loads where they are absent.
#pragma once

#include <windows.h>
#include <winddi.h>

namespace plotter {

struct Engine {
  decltype(&EngCreateBitmap) createBitmap = nullptr;
  decltype(&EngAssociateSurface) associateSurface = nullptr;
  decltype(&EngDeleteSurface) deleteSurface = nullptr;
  decltype(&EngCreatePalette) createPalette = nullptr;
  decltype(&EngDeletePalette) deletePalette = nullptr;
  decltype(&EngWritePrinter) writePrinter = nullptr;
  decltype(&EngGetPrinterDataFileName) printerDataFileName = nullptr;  // optional

  bool CanRender() const;
};

const Engine& GraphicsEngine();

}  // namespace plotter
