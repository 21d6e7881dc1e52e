#pragma once
// The arguments of the running program, after its own path, and where a silent run keeps its log when
// none is named: the temporary folder.

#include "common/ports/SystemInfo.h"

#include <string>
#include <vector>

namespace setup::win32ui {

std::vector<std::wstring> CommandArguments();
std::wstring LogPathOr(const std::wstring& named, const ports::SystemInfo& system, const std::wstring& fileName);

} // namespace setup::win32ui
