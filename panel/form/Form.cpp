#include "panel/form/Form.h"

#include <algorithm>

namespace form {

const wchar_t* ClassName(ControlClass kind)
{
    switch (kind) {
    case ControlClass::Image:
        return L"TImage";
    case ControlClass::Label:
        return L"TLabel";
    case ControlClass::Shape:
        return L"TShape";
    case ControlClass::Bevel:
        return L"TBevel";
    case ControlClass::CheckBox:
        return L"TCheckBox";
    }
    return L"";
}

Form::Form(std::wstring name, std::wstring caption, int clientWidth, int clientHeight, std::uint32_t colour)
    : name_(std::move(name)), caption_(std::move(caption)), width_(clientWidth), height_(clientHeight), colour_(colour)
{
}

void Form::SetClientSize(int width, int height)
{
    width_ = width;
    height_ = height;
}

bool Form::Add(Control control)
{
    if (control.name.empty() || Find(control.name) != nullptr)
        return false;
    controls_.push_back(std::move(control));
    return true;
}

Control* Form::Find(const std::wstring& name)
{
    const auto found = std::ranges::find(controls_, name, &Control::name);
    return found == controls_.end() ? nullptr : &*found;
}

const Control* Form::Find(const std::wstring& name) const
{
    const auto found = std::ranges::find(controls_, name, &Control::name);
    return found == controls_.end() ? nullptr : &*found;
}

Control* Form::FindByTag(ControlClass kind, int tag)
{
    // Reverse iterators rather than a reversed view: clang 14 cannot compile libstdc++'s views::reverse.
    const auto found = std::find_if(controls_.rbegin(), controls_.rend(),
                                    [&](const Control& control) { return control.kind == kind && control.tag == tag; });
    return found == controls_.rend() ? nullptr : &*found;
}

const Control* Form::ControlAt(int x, int y) const
{
    const auto found = std::find_if(controls_.rbegin(), controls_.rend(), [&](const Control& control) {
        return control.visible && !control.Windowed() && control.bounds.Contains(x, y);
    });
    return found == controls_.rend() ? nullptr : &*found;
}

} // namespace form
