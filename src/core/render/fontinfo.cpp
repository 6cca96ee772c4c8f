#include "core/render/fontinfo.h"

#include <QFont>
#include <QPalette>
#include <QScreen>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextEdit>

#include "core/render/readablecolor.h"

namespace {
// numerator / denominator (denominator > 0) to the nearest whole number, halves away from zero.
int roundedQuotient(int numerator, int denominator)
{
    if (numerator >= 0)
        return (2 * numerator + denominator) / (2 * denominator);
    return -((-2 * numerator + denominator) / (2 * denominator));
}

// Size in whole points: the size kept in twentieths of a point, divided by 20 without remainder.
// A font sized in pixels counts its pixels at the screen's resolution.
int wholePoints(const QFont &font, int screenPixelsPerInch)
{
    double points = font.pointSizeF();
    if (points <= 0 && font.pixelSize() > 0)
        points = font.pixelSize() * 72.0 / screenPixelsPerInch;
    const int twentieths = qMax(0, qRound(points * 20));
    return twentieths / 20;
}

QString limitedFaceName(const QString &family)
{
    int length = qMin(family.size(), TFontInfo::MaxFaceNameLength);
    // Never keep half of a surrogate pair.
    if (length < family.size() && family.at(length - 1).isHighSurrogate())
        --length;
    return family.left(length);
}
} // namespace

int TFontInfo::PointSize() const
{
    return -roundedQuotient(Height * 72, PixelsPerInch);
}

int TFontInfo::heightFromPoints(int wholePoints, int screenPixelsPerInch)
{
    return roundedQuotient(wholePoints * screenPixelsPerInch, 72);
}

TFontInfo TFontInfo::fromCharFormat(const QTextCharFormat &format, const QTextEdit *control)
{
    return fromCharFormat(format, control->document(), control);
}

TFontInfo TFontInfo::fromCharFormat(const QTextCharFormat &format, const QTextDocument *document,
                                    const QTextEdit *control)
{
    const QFont font = format.font().resolve(document->defaultFont());
    const int screenPixelsPerInch = qRound(control->screen()->logicalDotsPerInchY());

    TFontInfo info;
    info.PixelsPerInch = control->logicalDpiY();
    info.FaceName = limitedFaceName(font.family());
    info.Height = heightFromPoints(wholePoints(font, screenPixelsPerInch), screenPixelsPerInch);
    info.Style.setFlag(Bold, font.bold());
    info.Style.setFlag(Italic, font.italic());
    info.Style.setFlag(Underline, font.underline());
    info.Style.setFlag(StrikeOut, font.strikeOut());
    // Text without a colour of its own is shown in the control's foreground, and so is text whose
    // colour the control's ground would swallow: a script never vanishes from its page.
    const QColor shown = control->palette().color(QPalette::Text);
    const QBrush foreground = format.foreground();
    info.Color = foreground.style() == Qt::NoBrush
                     ? shown
                     : readablecolor(foreground.color(), control->palette().color(QPalette::Base), shown);
    return info;
}
