#include "sound/Profiles.h"

namespace sound {

// Profiles come with their own feature; until then nothing is saved or restored.

void Profiles::Save() {}

void Profiles::Load() {}

void Profiles::RestoreDefaultProfile() {}

bool Profiles::RestoreLastProfile()
{
    return false;
}

void Profiles::SaveLastProfile() {}

} // namespace sound
