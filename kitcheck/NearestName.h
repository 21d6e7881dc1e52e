#pragma once
// The known name a misspelt one most likely meant, for "did you mean" hints.

#include <span>
#include <string>
#include <string_view>

namespace kitcheck {

// Edit distance without regard to ASCII case.
std::size_t EditDistance(std::wstring_view a, std::wstring_view b);

// The closest of `known` to `name`, when it is close enough to be a typo (a third of the name's
// characters, at least one); empty otherwise.
std::wstring NearestName(std::wstring_view name, std::span<const std::wstring> known);

} // namespace kitcheck
