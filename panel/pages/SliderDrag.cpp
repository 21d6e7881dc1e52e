#include "panel/pages/SliderDrag.h"

#include <algorithm>

namespace panel {

namespace {

struct DragStart {
    const wchar_t* control;
    DragMode mode;
};

constexpr DragStart kDragStarts[] = {
    {L"EQ60HzSliderImage", DragMode::EqBand},
    {L"EQ300HzSliderImage", DragMode::EqBand},
    {L"EQ1200HzSliderImage", DragMode::EqBand},
    {L"EQ3600HzSliderImage", DragMode::EqBand},
    {L"EQ12000HzSliderImage", DragMode::EqBand},
    {L"MicSliderImage", DragMode::MicGain},
    {L"D3LAlphaSliderImage", DragMode::D3},
    {L"D3LBetaSliderImage", DragMode::D3},
    {L"D3RAlphaSliderImage", DragMode::D3},
    {L"D3RBetaSliderImage", DragMode::D3},
    {L"ENCSliderImage", DragMode::NoiseCancellation},
    {L"VirtualLImage", DragMode::Speaker},
    {L"VirtualRImage", DragMode::Speaker},
    {L"VirtualCImage", DragMode::Speaker},
    {L"VirtualSUBImage", DragMode::Speaker},
    {L"VirtualLSImage", DragMode::Speaker},
    {L"VirtualRSImage", DragMode::Speaker},
    {L"VirtualLBImage", DragMode::Speaker},
    {L"VirtualRBImage", DragMode::Speaker},
    {L"ColorBreatheSliderImage", DragMode::LedSpeed},
    {L"ColorRainbowSliderImage", DragMode::LedSpeed},
    {L"ColorPulsatingSliderImage", DragMode::LedSpeed},
};

constexpr TrackOfSlider kTracks[] = {
    {L"EQ60HzBarImage", L"EQ60HzBarDownImage", L"EQ60HzSliderImage"},
    {L"EQ300HzBarImage", L"EQ300HzBarDownImage", L"EQ300HzSliderImage"},
    {L"EQ1200HzBarImage", L"EQ1200HzBarDownImage", L"EQ1200HzSliderImage"},
    {L"EQ3600HzBarImage", L"EQ3600HzBarDownImage", L"EQ3600HzSliderImage"},
    {L"EQ12000HzBarImage", L"EQ12000HzBarDownImage", L"EQ12000HzSliderImage"},
    {L"MicBarImage", L"MicBarDownImage", L"MicSliderImage"},
    {L"D3LAlphaBarImage", nullptr, L"D3LAlphaSliderImage"},
    {L"D3LBetaBarImage", nullptr, L"D3LBetaSliderImage"},
    {L"D3RAlphaBarImage", nullptr, L"D3RAlphaSliderImage"},
    {L"D3RBetaBarImage", nullptr, L"D3RBetaSliderImage"},
    {L"ENCBarImage", nullptr, L"ENCSliderImage"},
};

constexpr int kSpeakerMargin = 10;

} // namespace

DragMode DragModeOf(std::wstring_view control)
{
    const auto found =
        std::ranges::find_if(kDragStarts, [&](const DragStart& start) { return control == start.control; });
    return found == std::end(kDragStarts) ? DragMode::None : found->mode;
}

const TrackOfSlider* FindTrack(std::wstring_view control)
{
    const auto found = std::ranges::find_if(kTracks, [&](const TrackOfSlider& track) {
        return control == track.track || (track.lowerTrack != nullptr && control == track.lowerTrack);
    });
    return found == std::end(kTracks) ? nullptr : &*found;
}

TopRange TravelRange(const SliderGeometry& geometry)
{
    return {geometry.top, geometry.top + std::max(geometry.range, 0)};
}

TopRange NoiseCancellationRange(const form::Bounds& bar, int sliderHeight)
{
    const int low = bar.top + 10;
    const int high = bar.top + bar.height - static_cast<int>(1.2 * sliderHeight);
    return {low, std::max(low, high)};
}

int MicGainPercent(int top, const SliderGeometry& geometry)
{
    if (geometry.range <= 0)
        return 0;
    return (geometry.top + geometry.range - top) * 100 / geometry.range;
}

form::Bounds ClampSpeaker(const form::Bounds& current, int newLeft, int newTop, const RingGeometry& ring,
                          const form::Bounds& ringPicture)
{
    // The ring is measured from the image's corner, as every speaker value is.
    const long long dx = newLeft - ring.centreX;
    const long long dy = newTop - ring.centreY;
    if (dx * dx + dy * dy > static_cast<long long>(ring.radius) * ring.radius)
        return current;
    form::Bounds moved = current;
    if (newLeft > ringPicture.left + kSpeakerMargin &&
        newLeft + current.width <= ringPicture.left + ringPicture.width - kSpeakerMargin)
        moved.left = newLeft;
    if (newTop >= ringPicture.top + kSpeakerMargin &&
        newTop + current.height <= ringPicture.top + ringPicture.height - kSpeakerMargin)
        moved.top = newTop;
    return moved;
}

} // namespace panel
