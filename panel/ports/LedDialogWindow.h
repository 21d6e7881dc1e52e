#pragma once
// The LED dialog as the system shows it: real dialog controls (group boxes, radio buttons, track bars,
// push buttons) and colour shapes, laid out from a portable table, shown modally over the main window.
// The window reports what the user does to its events object and takes changes while it is open.

#include "panel/form/Control.h"

#include <cstdint>
#include <span>
#include <string>

namespace ports {

enum class LedDialogItemKind { Group, Shape, Button, Radio, TrackBar };

struct LedDialogItem {
    const wchar_t* name;
    LedDialogItemKind kind;
    const wchar_t* caption;
    int tag;
    form::Bounds bounds;
    bool startsGroup = false; // radio buttons: the first of a group that checks one at a time
    int low = 0;              // track bars: range and position at creation
    int high = 0;
    int position = 0;
};

struct LedDialogLayout {
    const wchar_t* caption;
    int clientWidth;
    int clientHeight;
    std::uint32_t colour; // the background, 0x00BBGGRR
    std::span<const LedDialogItem> items;
};

class LedDialogEvents {
public:
    virtual ~LedDialogEvents() = default;
    // The window and its controls exist; the dialog may now change them.
    virtual void Shown() = 0;
    // A button, a radio button (as it becomes checked) or a shape was clicked.
    virtual void Clicked(const std::wstring& name) = 0;
    virtual void TrackBarMoved(const std::wstring& name, int position) = 0;
    // The window is about to go (its close button, the system menu, Escape).
    virtual void Closing() = 0;
};

class LedDialogWindow {
public:
    virtual ~LedDialogWindow() = default;
    // Returns when the window has closed.
    virtual void ShowModal(const LedDialogLayout& layout, LedDialogEvents& events) = 0;

    // While shown.
    virtual void SetShapeLook(const std::wstring& name, std::uint32_t fill, std::uint32_t outline, int outlineWidth) = 0;
    virtual void SetChecked(const std::wstring& name, bool checked) = 0;
    virtual void SetTrackBarPosition(const std::wstring& name, int position) = 0;
    virtual void MoveControl(const std::wstring& name, int left, int top) = 0;
    virtual void Close() = 0;
};

} // namespace ports
