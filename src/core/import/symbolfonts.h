#pragma once

#include <QString>

struct ImportedText;

// Text set in a symbol font, whose codes stand for signs rather than letters: the smiley that
// Wingdings draws for "J" (or for U+F04A, as Word writes symbols), the alpha of Symbol's "a".
// Each sign comes out as Unicode writes it, or is left out where Unicode has none or the font's
// signs are not known here: never the letter the code is in an ordinary font. Text in an
// ordinary font comes out as it is.
QString fromsymbolfont(const QString &face, const QString &text);

// Whether `face` draws signs rather than letters.
bool issymbolfont(const QString &face);

// The runs of `text` set in a symbol font turned into the signs they show, in the face of the
// page rather than the symbol font's.
void unsymbolfonts(ImportedText &text);
