#pragma once

#include <optional>

#include <QColor>
#include <QPalette>
#include <QString>

// Colours as the settings store writes them: a 32-bit colour value whose three low bytes are
// red, green and blue from the lowest up, or a system colour (high byte FF, the system-colour
// index in the low byte). Named values are written by their identifier ("clWhite").

// The identifier of `value`, or an empty string when it has none.
QString colorident(quint32 value);
// The value of an identifier, compared without regard to case.
std::optional<quint32> identtocolor(const QString &ident);

quint32 colorvalue(const QColor &color);
// The colour a value stands for: a system colour takes its colour from `palette`. Nothing for the
// values that name no colour of their own ("clNone", "clDefault") and for values of unknown kind.
std::optional<QColor> colorfromvalue(quint32 value, const QPalette &palette);
