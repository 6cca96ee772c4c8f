#pragma once

#include <QColor>
#include <QFlags>
#include <QString>

class QTextCharFormat;
class QTextDocument;
class QTextEdit;

// A snapshot of one character format as the HTML converter sees it: face, height in pixels,
// style, colour, and the resolution the height refers to.
class TFontInfo {
public:
    enum StyleFlag { Bold = 0x1, Italic = 0x2, Underline = 0x4, StrikeOut = 0x8 };
    Q_DECLARE_FLAGS(Styles, StyleFlag)

    static constexpr int MaxFaceNameLength = 124;

    QString FaceName;
    int Height = 0;
    Styles Style;
    QColor Color = Qt::black;
    int PixelsPerInch = 96;

    // −(Height × 72 / PixelsPerInch), to the nearest whole number, halves away from zero: a
    // positive height gives a negative size.
    int PointSize() const;

    // The character height in pixels of a size in whole points, to the nearest whole number,
    // halves away from zero.
    static int heightFromPoints(int wholePoints, int screenPixelsPerInch);

    // The snapshot of `format` as `control` shows it: properties the format leaves unset come
    // from the document's default font; a format without a text colour (automatic colour), or
    // with one the control's ground would swallow, takes the control's text colour (its
    // foreground). The size counts whole points
    // (twentieths of a point divided by 20, remainder dropped); the face name keeps at most
    // MaxFaceNameLength characters.
    static TFontInfo fromCharFormat(const QTextCharFormat &format, const QTextEdit *control);
    // The same for a format of `document`, which `look` (another control) would show.
    static TFontInfo fromCharFormat(const QTextCharFormat &format, const QTextDocument *document,
                                    const QTextEdit *look);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFontInfo::Styles)
