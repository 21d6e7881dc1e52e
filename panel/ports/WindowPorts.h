#pragma once
// Every port of the window side, gathered so that the shell and the feature code get one object.

#include "panel/ports/ApplicationWindow.h"
#include "panel/ports/DeviceNotifications.h"
#include "panel/ports/Dialogs.h"
#include "panel/ports/MessagePump.h"
#include "panel/ports/ModalForms.h"
#include "panel/ports/PopupMenus.h"
#include "panel/ports/Screen.h"
#include "panel/ports/ShellOpen.h"
#include "panel/ports/TrayIcon.h"
#include "panel/ports/WindowMessages.h"
#include "panel/ports/WindowTimers.h"

namespace ports {

struct WindowPorts {
    ApplicationWindow& window;
    MessageBoxes& messageBoxes;
    ColourDialog& colourDialog;
    FileDialogs& fileDialogs;
    MessagePump& pump;
    Screen& screen;
    TrayIcon& tray;
    PopupMenus& menus;
    WindowMessages& messages;
    WindowTimers& timers;
    DeviceNotifications& notifications;
    ShellOpen& shell;
    ModalForms& modal;
};

} // namespace ports
