// The control panel dressed by the reference OEM kit: on every screen size and every page, each shown
// picture exists, each page shows its own background, and the window takes the skin's size.

#include "PanelFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

fs::path KitOnDisk()
{
    return fs::path(__FILE__).parent_path().parent_path().parent_path() / "oem" / "kit";
}

class OemKitPanelTest : public ::testing::Test, protected testing_panel::PanelFixture {
protected:
    void SetUp() override
    {
        for (const auto& entry : fs::recursive_directory_iterator(KitOnDisk())) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            std::wstring relative = fs::relative(entry.path(), KitOnDisk()).wstring();
            std::ranges::replace(relative, L'/', L'\\');
            platform.files.Put(testing_panel::kProgramFolder + relative, bytes);
        }
    }
};

struct PageCase {
    int tag; // the tab that selects it
    int page;
    const wchar_t* background;
};

constexpr PageCase kPages[] = {
    {23, 1, L"Back_EQImage"},  {25, 2, L"Back_EffectImage"},
    {26, 3, L"Back_MicImage"}, {27, 4, L"Back_Virtual7p1Image"},
    {226, 8, nullptr},         {227, 7, nullptr},
};

} // namespace

TEST_F(OemKitPanelTest, EveryPageOfEverySkinShowsOnlyPicturesThatExist)
{
    const struct {
        int width;
        int height;
    } screens[] = {{2560, 1440}, {1920, 1080}, {1280, 720}, {800, 600}};
    for (const auto& screen : screens) {
        windowSide.screen.facts = {screen.width, screen.height, 96};
        shell::TAudioMainForm& main = Create();
        ASSERT_TRUE(main.Construct());
        ASSERT_TRUE(main.State().deviceActive) << "the kit accepts the emulated device";
        const form::Control& background = *main.Form().Find(L"MainFormImage");
        EXPECT_TRUE(background.visible) << screen.width;
        EXPECT_EQ(main.Form().ClientWidth(), background.picture.width) << screen.width;

        for (const PageCase& page : kPages) {
            main.OnLabelPageMouseDown(page.tag);
            ASSERT_EQ(main.States().page, page.page) << screen.width;
            if (page.background != nullptr) {
                EXPECT_TRUE(main.Form().Find(page.background)->visible) << screen.width << " page " << page.page;
            }
            int shown = 0;
            for (const form::Control& control : main.Form().Controls()) {
                if (!control.visible || control.kind != form::ControlClass::Image)
                    continue;
                ++shown;
                EXPECT_TRUE(platform.files.FileExists(control.picture.file))
                    << screen.width << " page " << page.page << ": "
                    << std::string(control.name.begin(), control.name.end());
            }
            EXPECT_GT(shown, 10) << screen.width << " page " << page.page;
        }
    }
}
