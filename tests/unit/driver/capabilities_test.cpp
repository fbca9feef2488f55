#include "components/driver/ui/capabilities.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "components/driver/common/page_setup.h"
#include "tests/unit/driver/installer_characterization.h"

namespace {

class CapabilityAnswers : public ::testing::Test {
 protected:
  const plotter::Characterization device_ = test::InstallerDevice("POS80", 300, 720, 32760);
  const std::vector<test::ModelForm> forms_ = test::InstallerForms("POS80", 720, 32760);

  DWORD Ask(WORD capability, void* output = nullptr) const {
    return plotter::DeviceCapability(device_, capability, output);
  }
};

TEST_F(CapabilityAnswers, ExtentsSpanTheFormsAndTheDevice) {
  const DWORD smallest = Ask(DC_MINEXTENT);
  EXPECT_EQ(LOWORD(smallest), forms_[1].width / 100);
  EXPECT_EQ(HIWORD(smallest), forms_[1].height / 100);
  const DWORD largest = Ask(DC_MAXEXTENT);
  EXPECT_EQ(LOWORD(largest), device_.deviceWidth / 100);
  EXPECT_EQ(HIWORD(largest), std::min(device_.deviceHeight / 100, SHRT_MAX));
}

TEST_F(CapabilityAnswers, DevModeFactsMatchTheDriversDevMode) {
  const DEVMODEW devmode = plotter::DefaultDevMode(device_, L"Demo80");
  EXPECT_EQ(Ask(DC_FIELDS), devmode.dmFields);
  EXPECT_EQ(Ask(DC_SIZE), devmode.dmSize);
  EXPECT_EQ(Ask(DC_EXTRA), devmode.dmDriverExtra);
  EXPECT_EQ(Ask(DC_VERSION), devmode.dmSpecVersion);
  EXPECT_EQ(Ask(DC_DRIVER), devmode.dmDriverVersion);
  EXPECT_EQ(Ask(DC_COPIES), device_.maxCopies);
}

TEST_F(CapabilityAnswers, WhatTheDeviceLacksIsNoneAndTheUnknownIsAnError) {
  for (const WORD absent : {DC_BINS, DC_BINNAMES, DC_DUPLEX, DC_ORIENTATION, DC_COLORDEVICE, DC_COLLATE}) {
    EXPECT_EQ(Ask(absent), 0u) << absent;
  }
  EXPECT_EQ(Ask(DC_PRINTRATE), GDI_ERROR);
}

}  // namespace
