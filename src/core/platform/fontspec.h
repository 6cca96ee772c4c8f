#pragma once

#include <QColor>
#include <QFont>
#include <QString>

// A font as the program keeps it: what a font dialog chooses (face, size, style, colour) and the
// attributes the settings store records beside them.
struct FontSpec {
    enum class Pitch { Default, Variable, Fixed };

    QString name = QStringLiteral("Arial");
    int size = 24; // points
    QColor color = Qt::white;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = 1; // DEFAULT_CHARSET
    Pitch pitch = Pitch::Default;
    int orientation = 0; // tenths of a degree

    // Height in pixels at `pixelsPerInch`, negative as a character height: 24 pt at 96 dpi is -32.
    int height(int pixelsPerInch = 96) const;
    QFont toQFont() const;
    static FontSpec fromQFont(const QFont &font, const QColor &color);

    bool operator==(const FontSpec &other) const = default;
};
