#include "platform/win32/Win32FormPainter.h"

#include "platform/win32/Win32UiHandles.h"

#include <algorithm>

namespace win32 {

namespace {

RECT RectOf(const form::Bounds& bounds)
{
    return {bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height};
}

FontHandle MakeFont(const form::Font& font, int pixelsPerInch)
{
    return FontHandle(::CreateFontW(-::MulDiv(font.size, pixelsPerInch, 72), 0, 0, 0,
                                    (font.style & form::kFontBold) ? FW_BOLD : FW_NORMAL,
                                    (font.style & form::kFontItalic) != 0, (font.style & form::kFontUnderline) != 0,
                                    (font.style & form::kFontStrikeOut) != 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, font.face.c_str()));
}

void PaintLabel(HDC dc, const form::Control& label, int pixelsPerInch)
{
    const FontHandle font = MakeFont(label.font, pixelsPerInch);
    const SelectedObject selected(dc, font.Get());
    RECT box = RectOf(label.bounds);
    if (!label.transparent) {
        const BrushHandle background(::CreateSolidBrush(label.colour));
        ::FillRect(dc, &box, background.Get());
    }
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, label.font.colour);
    // An auto-sized label grows with its text instead of cutting it.
    const UINT clip = (label.autoSize || label.bounds.width == 0) ? DT_NOCLIP : 0;
    ::DrawTextW(dc, label.caption.c_str(), static_cast<int>(label.caption.size()), &box,
                DT_LEFT | DT_TOP | DT_NOPREFIX | DT_WORDBREAK | clip);
}

void PaintShape(HDC dc, const form::Control& shape)
{
    const PenHandle pen(::CreatePen(PS_SOLID, std::max(shape.pen.width, 1), shape.pen.colour));
    const BrushHandle brush(::CreateSolidBrush(shape.brush.colour));
    const SelectedObject selectedPen(dc, pen.Get());
    const SelectedObject selectedBrush(dc, brush.Get());
    RECT box = RectOf(shape.bounds);
    using form::ShapeKind;
    const bool square =
        shape.shape == ShapeKind::Square || shape.shape == ShapeKind::RoundSquare || shape.shape == ShapeKind::Circle;
    if (square) {
        // Squares and circles take the shorter side, centred.
        const int side = std::min(shape.bounds.width, shape.bounds.height);
        box.left += (shape.bounds.width - side) / 2;
        box.top += (shape.bounds.height - side) / 2;
        box.right = box.left + side;
        box.bottom = box.top + side;
    }
    const int corner = std::min(box.right - box.left, box.bottom - box.top) / 4;
    switch (shape.shape) {
    case ShapeKind::Rectangle:
    case ShapeKind::Square:
        ::Rectangle(dc, box.left, box.top, box.right, box.bottom);
        break;
    case ShapeKind::RoundRect:
    case ShapeKind::RoundSquare:
        ::RoundRect(dc, box.left, box.top, box.right, box.bottom, corner, corner);
        break;
    case ShapeKind::Ellipse:
    case ShapeKind::Circle:
        ::Ellipse(dc, box.left, box.top, box.right, box.bottom);
        break;
    }
}

void PaintBevel(HDC dc, const form::Control& bevel)
{
    RECT box = RectOf(bevel.bounds);
    // A flat bevel is a line; any other is a lowered box.
    const UINT sides = bevel.bounds.height <= 2 ? BF_TOP : bevel.bounds.width <= 2 ? BF_LEFT : BF_RECT;
    ::DrawEdge(dc, &box, BDR_SUNKENOUTER, sides);
}

// A form that no skin has filled yet still shows whose window it is.
void PaintUnskinned(HDC dc, const form::Form& form, int pixelsPerInch)
{
    RECT frame = {0, 0, form.ClientWidth(), form.ClientHeight()};
    const BrushHandle border(::CreateSolidBrush(RGB(0x5A, 0x6A, 0x80)));
    ::FrameRect(dc, &frame, border.Get());
    RECT band = {1, 1, form.ClientWidth() - 1, 40};
    const BrushHandle bandBrush(::CreateSolidBrush(RGB(0x2C, 0x36, 0x44)));
    ::FillRect(dc, &band, bandBrush.Get());

    form::Font titleFont;
    titleFont.face = L"Tahoma";
    titleFont.size = 14;
    titleFont.style = form::kFontBold;
    const FontHandle font = MakeFont(titleFont, pixelsPerInch);
    const SelectedObject selected(dc, font.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0xE8, 0xEE, 0xF6));
    RECT text = frame;
    ::DrawTextW(dc, form.Caption().c_str(), static_cast<int>(form.Caption().size()), &text,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace

void MeasurePictures(form::Form& form, PictureCache& pictures)
{
    for (const form::Control& control : form.Controls()) {
        if (control.kind != form::ControlClass::Image || control.picture.file.empty())
            continue;
        form::Control& image = *form.Find(control.name);
        const auto size = pictures.Size(image.picture.file);
        image.picture.width = size ? size->width : 0;
        image.picture.height = size ? size->height : 0;
        if (image.autoSize && size) {
            image.bounds.width = size->width;
            image.bounds.height = size->height;
        }
    }
}

void PaintForm(HDC dc, const form::Form& form, PictureCache& pictures, int pixelsPerInch)
{
    RECT all = {0, 0, form.ClientWidth(), form.ClientHeight()};
    const std::uint32_t colour = form.Colour();
    const BrushHandle background(
        ::CreateSolidBrush(colour == form::kSystemDialogColour ? ::GetSysColor(COLOR_BTNFACE) : colour));
    ::FillRect(dc, &all, background.Get());

    // Only the pictures this paint draws stay decoded.
    struct Painting {
        PictureCache& pictures;
        explicit Painting(PictureCache& cache) : pictures(cache) { pictures.BeginPaint(); }
        ~Painting() { pictures.EndPaint(); }
        Painting(const Painting&) = delete;
        Painting& operator=(const Painting&) = delete;
    } painting(pictures);

    bool anyShown = false;
    for (const form::Control& control : form.Controls()) {
        if (!control.visible || control.Windowed())
            continue;
        anyShown = true;
        switch (control.kind) {
        case form::ControlClass::Image:
            if (!control.picture.file.empty())
                pictures.Draw(dc, control.picture.file, RectOf(control.bounds));
            break;
        case form::ControlClass::Label:
            PaintLabel(dc, control, pixelsPerInch);
            break;
        case form::ControlClass::Shape:
            PaintShape(dc, control);
            break;
        case form::ControlClass::Bevel:
            PaintBevel(dc, control);
            break;
        case form::ControlClass::CheckBox:
            break;
        }
    }
    if (!anyShown)
        PaintUnskinned(dc, form, pixelsPerInch);
}

} // namespace win32
