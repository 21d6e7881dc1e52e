#include "sound/Profiles.h"

namespace sound {

// Profiles come with their own feature; until then nothing is saved or restored.

void Profiles::SaveClick() {}

void Profiles::LoadClick() {}

void Profiles::RestoreDefaultProfile() {}

bool Profiles::RestoreLastProfile()
{
    return false;
}

void Profiles::SaveLastProfile() {}

} // namespace sound
