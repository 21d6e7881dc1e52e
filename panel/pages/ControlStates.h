#pragma once
// The state every skinned control of the main window shows. The features keep it up to date; the page
// lay-out reads it to pick each control's picture and each label's colour.

#include <set>

namespace panel {

// Two-state cells: 0 shows the Up picture, 1 the Down picture.
struct SwitchCells {
    int eqEnable = 0;
    int d3Enable = 0;
    int fbm = 0;
    int micBoost = 0;
    int micMute = 0;
    int micMonitor = 0;
    int virtualEnable = 0;
    int clockwise = 0;
    int counterclockwise = 0;
    int ledOn = 0;
    int narrow = 0;
    int enlarge = 0;
    int deviceIn = 0;
    int deviceOut = 0;
    int sync = 0;
};

// How the 3D alpha and beta controls of the two channels are linked.
// NotChosen until the first press shows the independent picture.
enum class D3Link : int { NotChosen = -1, Independent = 0, Dependent = 1, Inverse = 2 };

// The LED page's effect modes.
enum class LedEffectMode : int { None = 0, Breathe = 1, Rainbow = 2, MultiBreathe = 3 };

struct ControlStates {
    SwitchCells cells;
    int page = 1;           // the current page
    int selectedPreset = 1; // equalizer preset 1-4
    int selectedEffect = 1; // environment effect 1-5
    D3Link alphaLink = D3Link::NotChosen;
    D3Link betaLink = D3Link::NotChosen;
    bool encOn = false;
    int voiceEffect = 0; // 0 none, 1-4
    bool voiceOn = false;
    bool ledOff = false;
    bool ledSingleColour = false;
    LedEffectMode ledEffectMode = LedEffectMode::None;
    bool ledPageEnabled = false; // the LED page replaces the LED dialog
    std::set<int> pressedTags;   // buttons held down, which show their Down pictures meanwhile
};

} // namespace panel
