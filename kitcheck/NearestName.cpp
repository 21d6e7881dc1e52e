#include "kitcheck/NearestName.h"

#include "common/Text.h"

#include <algorithm>
#include <vector>

namespace kitcheck {

std::size_t EditDistance(std::wstring_view a, std::wstring_view b)
{
    const std::wstring x = ToLowerAscii(a);
    const std::wstring y = ToLowerAscii(b);
    std::vector<std::size_t> row(y.size() + 1);
    for (std::size_t j = 0; j <= y.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= x.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= y.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0u : 1u)});
            diagonal = above;
        }
    }
    return row[y.size()];
}

std::wstring NearestName(std::wstring_view name, std::span<const std::wstring> known)
{
    const std::size_t limit = std::max<std::size_t>(1, name.size() / 3);
    std::wstring best;
    std::size_t bestDistance = limit + 1;
    for (const std::wstring& candidate : known) {
        const std::size_t distance = EditDistance(name, candidate);
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace kitcheck
