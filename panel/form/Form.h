#pragma once
// A form: its own size and look, and its controls in creation order, which is also their z-order
// (later controls lie on top).

#include "panel/form/Control.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace form {

// A form colour that names the system's dialog face instead of a value: the host paints it in whatever
// colour the system gives dialogs, so that texts written for the usual light dialog stay readable.
inline constexpr std::uint32_t kSystemDialogColour = 0x8000000F;

class Form {
public:
    Form(std::wstring name, std::wstring caption, int clientWidth, int clientHeight, std::uint32_t colour);

    const std::wstring& Name() const { return name_; }
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption) { caption_ = std::move(caption); }
    int ClientWidth() const { return width_; }
    int ClientHeight() const { return height_; }
    void SetClientSize(int width, int height);
    std::uint32_t Colour() const { return colour_; }
    void SetColour(std::uint32_t colour) { colour_ = colour; }

    // Appends a control on top of the others; names are unique, so a second control of a name is refused.
    bool Add(Control control);
    const std::vector<Control>& Controls() const { return controls_; }

    Control* Find(const std::wstring& name);
    const Control* Find(const std::wstring& name) const;

    // The last control of that class with that tag, as the feature code finds the image and the label
    // of one button.
    Control* FindImageByTag(int tag) { return FindByTag(ControlClass::Image, tag); }
    Control* FindLabelByTag(int tag) { return FindByTag(ControlClass::Label, tag); }
    Control* FindShapeByTag(int tag) { return FindByTag(ControlClass::Shape, tag); }
    Control* FindByTag(ControlClass kind, int tag);

    // The topmost visible control drawn on the form under the point (client coordinates), disabled ones
    // included; windowed controls take their own mouse input and are never the answer.
    const Control* ControlAt(int x, int y) const;

private:
    std::wstring name_;
    std::wstring caption_;
    int width_;
    int height_;
    std::uint32_t colour_;
    std::vector<Control> controls_;
};

} // namespace form
