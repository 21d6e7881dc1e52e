#include "sound/Sound3D.h"

namespace sound {

namespace {
D3LinkState Next(D3LinkState link)
{
    return static_cast<D3LinkState>((static_cast<int>(link) + 1) % 3);
}
} // namespace

void Sound3D::Initialise() {}

void Sound3D::SetEnabled(int enabled)
{
    enabled_ = enabled != 0 ? 1 : 0;
}

void Sound3D::SetFbm(int fbm)
{
    fbm_ = fbm != 0 ? 1 : 0;
}

void Sound3D::NextAlphaLink()
{
    alphaLink_ = Next(alphaLink_);
}

void Sound3D::NextBetaLink()
{
    betaLink_ = Next(betaLink_);
}

// The 3D effect's device work comes with its own feature; until then these keep the page's look only.
void Sound3D::ParameterChanged(int, int) {}

void Sound3D::Reset() {}

void Sound3D::ReturnToDefaults() {}

} // namespace sound
