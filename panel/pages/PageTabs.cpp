#include "panel/pages/PageTabs.h"

#include "panel/skin/SkinImageEntry.h"

namespace panel {

namespace {

struct PageTab {
    int tag;
    int page;
};

constexpr PageTab kPageTabs[] = {
    {23, kPageEq},         {24, kPage3D},          {25, kPageEffect}, {26, kPageMic},
    {27, kPageVirtual7p1}, {226, kPageVoiceMagic}, {227, kPageEnc},   {kLedPageTab, kPageLed},
};

} // namespace

std::optional<int> PageOfTab(int tag)
{
    for (const PageTab& tab : kPageTabs)
        if (tab.tag == tag)
            return tab.page;
    return std::nullopt;
}

} // namespace panel
