#pragma once
// The primary screen as the programs size themselves to it.

namespace ports {

struct ScreenFacts {
    int width = 0;  // pixels
    int height = 0; // pixels
    int pixelsPerInch = 96;
};

class Screen {
public:
    virtual ~Screen() = default;
    virtual ScreenFacts Facts() const = 0;
};

} // namespace ports
