#pragma once
// What the lifecycle does to the running program's window: minimize it to the tray or the task bar,
// bring it back, hide it, move it, close it.

#include <cstdint>
#include <span>

namespace ports {

class ApplicationWindow {
public:
    virtual ~ApplicationWindow() = default;
    // Minimized and hidden: only the tray icon is left.
    virtual void MinimizeToTray() = 0;
    // Minimized with its task-bar button.
    virtual void MinimizeToTaskbar() = 0;
    // Restored, shown and made the foreground window.
    virtual void RestoreFromTray() = 0;
    virtual void ShowMain() = 0;
    virtual void HideMain() = 0;
    virtual void BringToForeground() = 0;
    // Queues a system minimize command, so that it runs after the current handler.
    virtual void PostMinimizeCommand() = 0;
    // Queues a registered message to the window; safe from any thread, it never waits for the window.
    virtual void PostRegisteredMessage(std::uint32_t message) = 0;
    // Lets the user drag the window by any point, as if by its caption.
    virtual void BeginMoveByCaption() = 0;
    // Sends the window its close request: the window closes, and the program ends with it.
    virtual void RequestClose() = 0;
    // Draws the window again from its form: after controls changed, and to take the form's size.
    virtual void Redraw() = 0;
    // Gives the window the outline of a region file (the platform's region data); the window takes
    // the region's bounding size. False, and the window unchanged, when the file is not a sound region.
    virtual bool ApplyRegion(std::span<const std::uint8_t> regionFile) = 0;
};

} // namespace ports
