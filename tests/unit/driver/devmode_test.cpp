#include <gtest/gtest.h>

#include <cstring>

#include "components/driver/common/page_setup.h"
#include "components/driver/ui/devmode_convert.h"
#include "tests/unit/driver/guarded_bytes.h"
#include "tests/unit/driver/installer_characterization.h"

namespace {

class DriverDevMode : public ::testing::Test {
 protected:
  const plotter::Characterization device_ = test::InstallerDevice("POS80", 203, 720, 32760);
  const std::vector<test::ModelForm> forms_ = test::InstallerForms("POS80", 720, 32760);
  DEVMODEW devmode_ = plotter::DefaultDevMode(device_, L"Demo80");

  static DEVMODEW Request(DWORD fields) {
    DEVMODEW requested{};
    requested.dmSize = sizeof(DEVMODEW);
    requested.dmFields = fields;
    return requested;
  }

  void ExpectForm(size_t index) const {
    EXPECT_EQ(devmode_.dmPaperSize, plotter::PaperIdOfForm(index));
    EXPECT_EQ(devmode_.dmPaperWidth, forms_[index].width / 100);
    EXPECT_EQ(devmode_.dmPaperLength, forms_[index].height / 100);
    const std::wstring name(forms_[index].name.begin(), forms_[index].name.end());
    EXPECT_EQ(std::wstring(devmode_.dmFormName), name);
  }
};

TEST_F(DriverDevMode, DefaultIsTheFirstFormAtTheDeviceResolution) {
  EXPECT_EQ(devmode_.dmSize, sizeof(DEVMODEW));
  EXPECT_EQ(devmode_.dmSpecVersion, DM_SPECVERSION);
  EXPECT_EQ(devmode_.dmDriverExtra, 0);
  EXPECT_EQ(devmode_.dmFields, plotter::kSupportedFields);
  EXPECT_STREQ(devmode_.dmDeviceName, L"Demo80");
  EXPECT_EQ(devmode_.dmOrientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(devmode_.dmCopies, 1);
  EXPECT_EQ(devmode_.dmPrintQuality, device_.dpiX);
  EXPECT_EQ(devmode_.dmYResolution, device_.dpiY);
  ExpectForm(0);
}

TEST_F(DriverDevMode, PaperIsChosenByIdThenByFormName) {
  DEVMODEW byId = Request(DM_PAPERSIZE);
  byId.dmPaperSize = plotter::PaperIdOfForm(2);
  plotter::MergeDevMode(devmode_, byId, device_);
  ExpectForm(2);

  DEVMODEW byName = Request(DM_FORMNAME);
  const std::wstring name(forms_[3].name.begin(), forms_[3].name.end());
  wcscpy(byName.dmFormName, name.c_str());
  plotter::MergeDevMode(devmode_, byName, device_);
  ExpectForm(3);
}

TEST_F(DriverDevMode, PapersTheDeviceLacksLeaveTheSelection) {
  DEVMODEW a4 = Request(DM_PAPERSIZE);
  a4.dmPaperSize = DMPAPER_A4;
  plotter::MergeDevMode(devmode_, a4, device_);
  DEVMODEW pastTheForms = Request(DM_PAPERSIZE);
  pastTheForms.dmPaperSize = plotter::PaperIdOfForm(forms_.size());
  plotter::MergeDevMode(devmode_, pastTheForms, device_);
  DEVMODEW unknownName = Request(DM_FORMNAME);
  wcscpy(unknownName.dmFormName, L"Letter");
  plotter::MergeDevMode(devmode_, unknownName, device_);
  DEVMODEW unflagged = Request(0);
  unflagged.dmPaperSize = plotter::PaperIdOfForm(1);
  plotter::MergeDevMode(devmode_, unflagged, device_);
  ExpectForm(0);
}

TEST_F(DriverDevMode, CopiesWithinTheLimitAreTakenResolutionAndOrientationNot) {
  DEVMODEW requested = Request(DM_COPIES | DM_ORIENTATION | DM_PRINTQUALITY | DM_YRESOLUTION);
  requested.dmOrientation = DMORIENT_LANDSCAPE;
  requested.dmPrintQuality = 600;
  requested.dmYResolution = 600;
  for (const short asked : {short{0}, short{3}, short{32000}}) {
    requested.dmCopies = asked;
    plotter::MergeDevMode(devmode_, requested, device_);
    EXPECT_EQ(devmode_.dmCopies, std::clamp<int>(asked, 1, device_.maxCopies));
  }
  EXPECT_EQ(devmode_.dmOrientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(devmode_.dmPrintQuality, device_.dpiX);
  EXPECT_EQ(devmode_.dmYResolution, device_.dpiY);
}

TEST_F(DriverDevMode, MembersBeyondTheRequestsSizeAreNotRead) {
  // A DEVMODE that ends before dmFormName but flags it, with nothing readable after its end.
  DEVMODEW requested = Request(DM_FORMNAME | DM_COPIES);
  requested.dmSize = offsetof(DEVMODEW, dmFormName);
  requested.dmCopies = 2;
  std::vector<uint8_t> bytes(requested.dmSize);
  std::memcpy(bytes.data(), &requested, bytes.size());
  const test::GuardedBytes guarded(bytes);
  plotter::MergeDevMode(devmode_, *reinterpret_cast<const DEVMODEW*>(guarded.span().data()), device_);
  EXPECT_EQ(devmode_.dmCopies, 2);
  ExpectForm(0);
}

TEST(DevModeConversion, WritesNoFurtherThanTheTargetSizeAndRefusesSizesWithoutFields) {
  DEVMODEW in = plotter::DefaultDevMode(test::InstallerDevice("POS58", 203, 580, 2100), L"Demo58");
  in.dmFields |= DM_ICMMETHOD | DM_MEDIATYPE;
  DEVMODEW out{};
  std::memset(&out, 0xCC, sizeof(out));
  ASSERT_TRUE(plotter::ConvertPublicPart(in, out, plotter::kDevModeSize351, plotter::kSpecVersion351));
  EXPECT_EQ(out.dmSize, plotter::kDevModeSize351);
  EXPECT_EQ(out.dmFields, plotter::kSupportedFields);
  EXPECT_STREQ(out.dmFormName, in.dmFormName);
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(&out)[plotter::kDevModeSize351], 0xCC) << "wrote past dmSize";

  EXPECT_FALSE(plotter::ConvertPublicPart(in, out, plotter::kMinDevModeSize - 1, DM_SPECVERSION));
  in.dmSize = plotter::kMinDevModeSize - 1;
  EXPECT_FALSE(plotter::ConvertPublicPart(in, out, sizeof(DEVMODEW), DM_SPECVERSION));
}

}  // namespace
