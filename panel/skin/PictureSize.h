#pragma once
// The pixel size of a skin picture, read from its file header, so that the model can size controls
// and the window before anything is drawn.

#include "common/ports/FileSystem.h"

#include <optional>
#include <span>
#include <string>

namespace panel {

struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize&) const = default;
};

// PNG, BMP and GIF headers; nothing for other formats and for files too short to say.
std::optional<PictureSize> ReadPictureSize(std::span<const std::uint8_t> header);
std::optional<PictureSize> ReadPictureSize(const ports::FileSystem& files, const std::wstring& path);

} // namespace panel
