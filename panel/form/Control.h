#pragma once
// One control of a form as the window shows it: the properties the skins, the languages and the feature
// code change, and nothing of how it is drawn.

#include <cstdint>
#include <string>

namespace form {

enum class ControlClass { Image, Label, Shape, Bevel, CheckBox };

// The class names by which controls are searched ("TImage", "TLabel", ...).
const wchar_t* ClassName(ControlClass kind);

// Controls that the feature code never looks up by tag carry this one, so that no search by a real tag
// (0 is the close button) can find them.
inline constexpr int kNoTag = -1;

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool Contains(int x, int y) const { return x >= left && y >= top && x < left + width && y < top + height; }
    bool operator==(const Bounds&) const = default;
};

struct Picture {
    std::wstring file; // empty: no picture
    int width = 0;     // the picture's own size, once loaded
    int height = 0;
    bool operator==(const Picture&) const = default;
};

enum FontStyle : unsigned { kFontBold = 1, kFontItalic = 2, kFontUnderline = 4, kFontStrikeOut = 8 };

struct Font {
    std::wstring face = L"Tahoma";
    int size = 8; // points
    unsigned style = 0;
    std::uint32_t colour = 0x000000; // 0x00BBGGRR
    bool operator==(const Font&) const = default;
};

// The platform's shape numbers.
enum class ShapeKind { Rectangle = 0, Square = 1, RoundRect = 2, RoundSquare = 3, Ellipse = 4, Circle = 5 };

struct Pen {
    std::uint32_t colour = 0x000000;
    int width = 1;
    bool operator==(const Pen&) const = default;
};

struct Brush {
    std::uint32_t colour = 0xFFFFFF;
    bool operator==(const Brush&) const = default;
};

struct Control {
    std::wstring name;
    ControlClass kind = ControlClass::Image;
    int tag = kNoTag;
    Bounds bounds;
    bool visible = true;
    bool enabled = true;
    bool autoSize = false;
    bool transparent = true;         // labels: the pictures below show through
    Picture picture;                 // images
    std::wstring caption;            // labels and the check box
    Font font;                       // labels and the check box
    std::uint32_t colour = 0x000000; // an opaque label's background
    ShapeKind shape = ShapeKind::Rectangle;
    Pen pen;
    Brush brush;
    bool checked = false; // the check box

    // Only the check box is a window of its own; every other control is drawn on the form.
    bool Windowed() const { return kind == ControlClass::CheckBox; }
};

} // namespace form
