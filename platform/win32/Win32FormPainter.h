#pragma once
// Draws a form model into a device context, bottom control first: pictures, transparent labels,
// shapes and bevels. Windowed controls draw themselves.

#include "panel/form/Form.h"
#include "platform/win32/Win32Pictures.h"

#include <windows.h>

namespace win32 {

// Gives auto-sized images their picture's size and records every picture's own size in the model.
void MeasurePictures(form::Form& form, PictureCache& pictures);

void PaintForm(HDC dc, const form::Form& form, PictureCache& pictures, int pixelsPerInch);

} // namespace win32
