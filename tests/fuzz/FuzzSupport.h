#pragma once
// What the fuzz targets share: a failed invariant stops the run loudly (libFuzzer keeps the input), and
// the ways the targets turn bytes into the texts the readers take.

#include "platform/memory/IniFileProfile.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/ProfileFileText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <span>
#include <string>
#include <vector>

#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition);                     \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

namespace fuzz {

inline std::span<const std::uint8_t> Bytes(const std::uint8_t* data, std::size_t size)
{
    return {data, size};
}

// The bytes as a file would decode them: a UTF-16LE or UTF-8 mark picks that encoding, else Windows-1252.
inline std::wstring DecodedText(std::span<const std::uint8_t> bytes)
{
    return memory::DecodeProfileText(bytes).text;
}

// One file holding the input, read through the portable private-profile store.
struct OneFile {
    OneFile(const std::wstring& path, std::span<const std::uint8_t> bytes) { files.Put(path, bytes); }

    memory::MemoryFileSystem files;
    memory::IniFileProfile profile{files, L"C:\\Windows"};
};

// Splits at `separator`; an empty input gives no pieces.
template <typename Text> std::vector<Text> SplitAt(const Text& text, typename Text::value_type separator)
{
    std::vector<Text> pieces;
    if (text.empty())
        return pieces;
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = text.find(separator, begin);
        pieces.push_back(text.substr(begin, end == Text::npos ? Text::npos : end - begin));
        if (end == Text::npos)
            return pieces;
        begin = end + 1;
    }
}

// An item of a comma-separated value, quoted so that it reads back whatever it holds.
inline std::wstring Quoted(const std::wstring& text)
{
    std::wstring quoted = L"\"";
    for (const wchar_t c : text)
        quoted += c == L'"' ? std::wstring(L"\"\"") : std::wstring(1, c);
    return quoted + L"\"";
}

// A position moved by an offset, held at the limits of an int.
inline int Shifted(int value, int offset)
{
    const long long sum = static_cast<long long>(value) + offset;
    return static_cast<int>(
        std::clamp<long long>(sum, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace fuzz
