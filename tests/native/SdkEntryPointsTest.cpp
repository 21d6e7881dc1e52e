#include "device/SdkEntryPoints.h"

#include <gtest/gtest.h>

#include <set>

// The loader reports a missing entry point by its position, so the order is part of the contract.
TEST(SdkEntryPoints, BindingOrderStartsWithTheSixFixedNamesAndHasNoDuplicate)
{
    const std::string_view firstSix[] = {"DLLQZ_GetAP_VersionW",        "DLLQZ_GetDLL_VersionW",
                                         "DLLQZ_CheckDriver",           "DLLQZ_CheckDriverEx",
                                         "DLLQZ_Search_Present_Device", "DLLQZ_SetActive_Device"};
    for (std::size_t i = 0; i < std::size(firstSix); ++i)
        EXPECT_EQ(sdk::kEntryPointNames[i], firstSix[i]) << i;
    const std::set<std::string_view> unique(sdk::kEntryPointNames.begin(), sdk::kEntryPointNames.end());
    EXPECT_EQ(unique.size(), sdk::kEntryPointCount);
    EXPECT_EQ(sdk::EntryPointName(sdk::EntryPoint::DLLQZ_UsbHidSlave_SetRGB_Brightness_Ex),
              "DLLQZ_UsbHidSlave_SetRGB_Brightness_Ex");
}
