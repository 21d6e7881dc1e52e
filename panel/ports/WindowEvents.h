#pragma once
// What the window host reports to the form it shows. Everything arrives on the GUI thread.

#include <cstdint>

namespace ports {

// A mouse message as the application-wide hook sees it, before any window gets it.
struct HookedMouse {
    enum class Kind { Move, LeftDown, LeftUp } kind = Kind::Move;
    int screenX = 0;
    int screenY = 0;
    int clientX = 0; // in the main window
    int clientY = 0;
};

class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void OnActivate() = 0;
    // Every registered message (ids from 0xC000) the window receives.
    virtual void OnRegisteredMessage(std::uint32_t message) = 0;
    virtual void OnSystemMinimize() = 0;
    virtual void OnSystemRestore() = 0;
    // Left button on the window's own surface, in client coordinates.
    virtual void OnMouseDown(int x, int y) = 0;
    virtual void OnMouseUp(int x, int y) = 0;
    virtual void OnHookedMouse(const HookedMouse& mouse) = 0;
    virtual void OnTrayDoubleClick() = 0;
    virtual void OnTrayRightButtonUp() = 0;
    // The window is going; it runs once.
    virtual void OnDestroy() = 0;
};

} // namespace ports
