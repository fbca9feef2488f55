#include <gtest/gtest.h>

#include <vector>

#include "components/driver/render/device_info.h"
#include "components/driver/render/escpos_raster.h"
#include "tests/unit/driver/installer_characterization.h"

namespace {

LONG PixelsAt(int32_t thousandthsOfMm, int dpi) {
  return static_cast<LONG>(int64_t{thousandthsOfMm} * dpi / 25400);
}

TEST(DeviceDescription, TheSurfaceIsTheSelectedFormAtTheFileResolution) {
  const plotter::Characterization device = test::InstallerDevice("POS80", 203, 720, 32760);
  const plotter::Form& form = device.forms[2];
  const plotter::PageGeometry page = plotter::GeometryOf(device, form);
  EXPECT_EQ(page.paper.cx, PixelsAt(form.width, 203));
  EXPECT_EQ(page.paper.cy, PixelsAt(form.height, 203));
  EXPECT_EQ(page.printable.cx, page.paper.cx);
  EXPECT_EQ(page.printable.cy, page.paper.cy);
  EXPECT_EQ(page.offset.x, 0);

  GDIINFO gdi;
  DEVINFO info;
  plotter::DescribeDevice(device, page, gdi, info);
  EXPECT_EQ(gdi.ulTechnology, static_cast<ULONG>(DT_RASPRINTER));
  EXPECT_EQ(gdi.ulLogPixelsX, 203u);
  EXPECT_EQ(gdi.ulLogPixelsY, 203u);
  EXPECT_EQ(gdi.ulHorzRes, static_cast<ULONG>(page.printable.cx));
  EXPECT_EQ(gdi.ulVertRes, static_cast<ULONG>(page.printable.cy));
  EXPECT_EQ(gdi.ulHorzSize, static_cast<ULONG>(form.width / 1000));
  EXPECT_EQ(gdi.ulVertSize, static_cast<ULONG>(form.height / 1000));
  EXPECT_EQ(gdi.szlPhysSize.cx, page.paper.cx);
  EXPECT_EQ(gdi.cBitsPixel, 1u);
  EXPECT_EQ(gdi.ulNumColors, 2u);
  EXPECT_EQ(info.iDitherFormat, static_cast<ULONG>(BMF_1BPP));
  EXPECT_EQ(gdi.ciDevice.Red.x, test::kTemplateColorInfo[0]);
  EXPECT_EQ(gdi.ciDevice.AlignmentWhite.Y, test::kTemplateColorInfo[20]);
  EXPECT_EQ(gdi.ciDevice.MagentaInYellowDye, test::kTemplateColorInfo[29]);
}

TEST(DeviceDescription, MarginsShrinkThePrintableArea) {
  plotter::Characterization device = test::InstallerDevice("POS58", 300, 580, 2970);
  device.deviceMargins = {2000, 1000, 0, 0};
  plotter::Form form = device.forms[1];
  form.margins = {1000, 3000, 4000, 5000};
  const plotter::PageGeometry page = plotter::GeometryOf(device, form);
  EXPECT_EQ(page.offset.x, PixelsAt(2000, 300));
  EXPECT_EQ(page.offset.y, PixelsAt(3000, 300));
  EXPECT_EQ(page.printable.cx, PixelsAt(form.width - 2000 - 4000, 300));
  EXPECT_EQ(page.printable.cy, PixelsAt(form.height - 3000 - 5000, 300));
}

// A 1-bit page the way the engine lays out its surfaces: rows padded to 32 bits.
class Page {
 public:
  Page(int width, int height)
      : width_(width),
        height_(height),
        stride_((width + 31) / 32 * 4),
        bits_(static_cast<size_t>(stride_ * height), 0) {}

  void Dot(int x, int y) {
    bits_[static_cast<size_t>(y * stride_ + x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
  }
  // Sets the bits past the width, which the engine leaves undefined.
  void DirtyPadding() {
    for (int y = 0; y < height_; ++y) {
      for (int x = width_; x < stride_ * 8; ++x) Dot(x, y);
    }
  }
  plotter::MonoPage TopDown() const { return {bits_.data(), stride_, width_, height_}; }
  // The same rows read from the last one up, as a bottom-up bitmap is stored.
  plotter::MonoPage BottomUp(std::vector<uint8_t>& storage) const {
    storage.clear();
    for (int y = height_ - 1; y >= 0; --y) storage.insert(storage.end(), Row(y), Row(y) + stride_);
    return {storage.data() + static_cast<ptrdiff_t>(stride_) * (height_ - 1), -stride_, width_, height_};
  }
  const uint8_t* Row(int y) const { return bits_.data() + static_cast<ptrdiff_t>(y) * stride_; }
  int rowBytes() const { return (width_ + 7) / 8; }

 private:
  int width_;
  int height_;
  int stride_;
  std::vector<uint8_t> bits_;
};

const std::vector<uint8_t> kCut = {0x1D, 'V', 66, 0};

std::vector<uint8_t> RasterCommand(const Page& page, int first, int rows) {
  std::vector<uint8_t> out = {0x1D,
                              'v',
                              '0',
                              0,
                              static_cast<uint8_t>(page.rowBytes()),
                              0,
                              static_cast<uint8_t>(rows & 0xFF),
                              static_cast<uint8_t>(rows >> 8)};
  for (int y = first; y < first + rows; ++y)
    out.insert(out.end(), page.Row(y), page.Row(y) + page.rowBytes());
  return out;
}

std::vector<uint8_t> Joined(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

TEST(EscPosPage, ABlankPageIsOnlyACut) {
  Page page(576, 100);
  page.DirtyPadding();
  EXPECT_EQ(plotter::EncodePage(page.TopDown()), kCut);
}

TEST(EscPosPage, RowsAreSentDownToTheLastPrintedOne) {
  Page page(576, 100);
  page.Dot(9, 3);
  page.Dot(575, 40);
  EXPECT_EQ(plotter::EncodePage(page.TopDown()), Joined({RasterCommand(page, 0, 41), kCut}));
}

TEST(EscPosPage, PaddingPastTheWidthIsNeverSent) {
  Page clean(20, 5);
  clean.Dot(19, 4);
  Page dirty = clean;
  dirty.DirtyPadding();
  EXPECT_EQ(plotter::EncodePage(dirty.TopDown()), plotter::EncodePage(clean.TopDown()));
}

TEST(EscPosPage, LongPagesGoInBands) {
  Page page(384, 2 * plotter::kRowsPerBand + 88);
  page.Dot(0, 2 * plotter::kRowsPerBand + 87);
  EXPECT_EQ(plotter::EncodePage(page.TopDown()),
            Joined({RasterCommand(page, 0, plotter::kRowsPerBand),
                    RasterCommand(page, plotter::kRowsPerBand, plotter::kRowsPerBand),
                    RasterCommand(page, 2 * plotter::kRowsPerBand, 88), kCut}));
}

TEST(EscPosPage, BottomUpBitmapsPrintTopRowFirst) {
  Page page(64, 10);
  page.Dot(1, 0);
  page.Dot(62, 7);
  std::vector<uint8_t> storage;
  EXPECT_EQ(plotter::EncodePage(page.BottomUp(storage)), plotter::EncodePage(page.TopDown()));
}

}  // namespace
