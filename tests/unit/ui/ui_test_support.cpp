#include "tests/unit/ui/ui_test_support.h"

#include <shlobj.h>

#include <algorithm>

#include "platform/shell.h"

namespace test {

Canvas::Canvas(int width, int height) : m_width(width), m_height(height), m_dc(CreateCompatibleDC(nullptr)) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  m_bits = static_cast<const uint32_t*>(bits);
  m_previous = SelectObject(m_dc, m_bitmap);
}

Canvas::~Canvas() {
  SelectObject(m_dc, m_previous);
  DeleteObject(m_bitmap);
  DeleteDC(m_dc);
}

COLORREF Canvas::Pixel(int x, int y) const {
  GdiFlush();
  const uint32_t bgr = m_bits[static_cast<size_t>(y) * m_width + x];
  return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

void Canvas::Fill(COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  const RECT area = Area();
  FillRect(m_dc, &area, brush);
  DeleteObject(brush);
}

void Canvas::ForEachPixel(const RECT& area, const std::function<void(int, int, COLORREF)>& visit) const {
  for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, m_height); ++y) {
    for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, m_width); ++x) visit(x, y, Pixel(x, y));
  }
}

void Canvas::CopyFrom(HWND window) {
  HDC source = GetDC(window);
  BitBlt(m_dc, 0, 0, m_width, m_height, source, 0, 0, SRCCOPY);
  ReleaseDC(window, source);
}

void Canvas::CopyFrom(HBITMAP bitmap) {
  HDC source = CreateCompatibleDC(m_dc);
  const HGDIOBJ previous = SelectObject(source, bitmap);
  BitBlt(m_dc, 0, 0, m_width, m_height, source, 0, 0, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
}

int Canvas::Count(const RECT& area, const std::function<bool(COLORREF)>& match) const {
  int count = 0;
  ForEachPixel(area, [&](int, int, COLORREF pixel) { count += match(pixel) ? 1 : 0; });
  return count;
}

RECT Canvas::Bounds(const RECT& area, const std::function<bool(COLORREF)>& match) const {
  RECT found{m_width, m_height, 0, 0};
  ForEachPixel(area, [&](int x, int y, COLORREF pixel) {
    if (!match(pixel)) return;
    found = {std::min<int>(found.left, x), std::min<int>(found.top, y), std::max<int>(found.right, x + 1),
             std::max<int>(found.bottom, y + 1)};
  });
  return found.left < found.right ? found : RECT{};
}

bool IsInk(COLORREF color) { return GetRValue(color) + GetGValue(color) + GetBValue(color) < 3 * 128; }

std::function<bool(COLORREF)> Is(COLORREF color) {
  return [color](COLORREF pixel) { return pixel == color; };
}

HostWindow::HostWindow() {
  const std::wstring windowClass =
      RegisterWndClass(0, LoadCursorW(nullptr, IDC_ARROW), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), nullptr);
  CreateEx(0, windowClass.c_str(), L"Page window test", WS_POPUP, 0, 0, kDialogClientWidth, kDialogClientHeight,
           nullptr, 0);
  // Not activated: Wine then does not wait two seconds for a window manager when it goes.
  ShowWindow(SW_SHOWNA);
  UpdateWindow();
}

RECT RectInParent(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

COLORREF ScreenPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF pixel = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return pixel;
}

DocumentFile::DocumentFile(const wchar_t* name, const std::string& bytes) : m_path(DocumentsFolder() + L"\\" + name) {
  HANDLE file = CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

DocumentFile::~DocumentFile() { DeleteFileW(m_path.c_str()); }

std::wstring DocumentsFolder() {
  std::wstring folder;
  platform::shell::GetSpecialFolderPathW(CSIDL_PERSONAL, folder);
  return folder;
}

std::string SolidBitmapFile(int width, int height, COLORREF color) {
  const int rowBytes = (width * 3 + 3) & ~3;
  const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(54 + rowBytes * height), 0, 0, 54};
  const BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  std::string row(static_cast<size_t>(rowBytes), '\0');
  for (int x = 0; x < width; ++x) {
    row[x * 3] = static_cast<char>(GetBValue(color));
    row[x * 3 + 1] = static_cast<char>(GetGValue(color));
    row[x * 3 + 2] = static_cast<char>(GetRValue(color));
  }
  for (int y = 0; y < height; ++y) bytes += row;
  return bytes;
}

std::string Utf16File(const std::wstring& text) {
  std::string bytes = "\xff\xfe";
  for (const wchar_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

}  // namespace test
