#pragma once
// The resolution folder of skins and pictures, chosen by the screen's pixel count.

#include <string>

// "1920x1080\", "1366x768\", "960x540\" or empty, by the screen's pixel count; each threshold belongs
// to the smaller folder, so a screen of exactly 1920 x 1080 gets "1366x768\".
std::wstring ChooseResolutionFolder(long screenWidth, long screenHeight);
