#pragma once

#include <QPalette>

#include "core/platform/fontspec.h"

class QSettings;

// The display font in the settings store: one value per attribute in the current group ("Charset",
// "Color", "Height", "Name", "Orientation", "Pitch", "Size") and the style as the group "Style"
// with "fsBold", "fsItalic", "fsUnderline" and "fsStrikeOut", each "TRUE" or "FALSE".

// `pixelsPerInch` turns the size into the height in pixels.
void writefont(QSettings &settings, const FontSpec &font, int pixelsPerInch);
// Reads over `font`: what is missing or cannot be read keeps its present value. A stored height
// sets the size (at `pixelsPerInch`), a stored size then wins; system colours take their colour
// from `palette`.
void readfont(QSettings &settings, FontSpec &font, int pixelsPerInch, const QPalette &palette);

// The largest point size read from the store.
inline constexpr int maxStoredFontSize = 1638;
