#include "core/settings/fontstorage.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include <QSettings>

#include "core/settings/charsetnames.h"
#include "core/settings/colornames.h"
#include "core/settings/storedvalue.h"

namespace {

const char *const pitchNames[] = {"fpDefault", "fpVariable", "fpFixed"};

struct StyleValue {
    const char *name;
    bool FontSpec::*member;
};
const StyleValue styleValues[] = {{"fsBold", &FontSpec::bold},
                                  {"fsItalic", &FontSpec::italic},
                                  {"fsUnderline", &FontSpec::underline},
                                  {"fsStrikeOut", &FontSpec::strikeOut}};

QVariant identOrNumber(const QString &ident, qint64 number)
{
    return ident.isEmpty() ? QVariant(number) : QVariant(ident);
}

std::optional<qint64> readInRange(const QSettings &settings, const char *key, qint64 low, qint64 high)
{
    const std::optional<qint64> number = storedinteger(settings.value(QLatin1String(key)));
    if (!number || *number < low || *number > high)
        return std::nullopt;
    return number;
}

std::optional<FontSpec::Pitch> readPitch(const QSettings &settings)
{
    const std::optional<qint64> pitch = storedidentifier(
        settings.value(QStringLiteral("Pitch")), [](const QString &ident) -> std::optional<qint64> {
            for (int i = 0; i < 3; ++i)
                if (ident.compare(QLatin1String(pitchNames[i]), Qt::CaseInsensitive) == 0)
                    return i;
            return std::nullopt;
        });
    if (!pitch || *pitch < 0 || *pitch > 2)
        return std::nullopt;
    return static_cast<FontSpec::Pitch>(*pitch);
}

} // namespace

void writefont(QSettings &settings, const FontSpec &font, int pixelsPerInch)
{
    const quint32 color = colorvalue(font.color);
    settings.setValue(QStringLiteral("Charset"), identOrNumber(charsetident(font.charset), font.charset));
    settings.setValue(QStringLiteral("Color"), identOrNumber(colorident(color), color));
    settings.setValue(QStringLiteral("Height"), font.height(pixelsPerInch));
    settings.setValue(QStringLiteral("Name"), font.name);
    settings.setValue(QStringLiteral("Orientation"), font.orientation);
    settings.setValue(QStringLiteral("Pitch"), QLatin1String(pitchNames[static_cast<int>(font.pitch)]));
    settings.setValue(QStringLiteral("Size"), font.size);
    settings.beginGroup(QStringLiteral("Style"));
    for (const StyleValue &style : styleValues)
        settings.setValue(QLatin1String(style.name),
                          font.*style.member ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
    settings.endGroup();
}

void readfont(QSettings &settings, FontSpec &font, int pixelsPerInch, const QPalette &palette)
{
    const std::optional<qint64> charset =
        storedidentifier(settings.value(QStringLiteral("Charset")),
                         [](const QString &ident) -> std::optional<qint64> { return identtocharset(ident); });
    if (charset && *charset >= 0 && *charset <= 255)
        font.charset = static_cast<int>(*charset);

    const std::optional<qint64> color =
        storedidentifier(settings.value(QStringLiteral("Color")),
                         [](const QString &ident) -> std::optional<qint64> { return identtocolor(ident); });
    if (color && *color >= std::numeric_limits<qint32>::min() &&
        *color <= std::numeric_limits<quint32>::max())
        if (const std::optional<QColor> resolved = colorfromvalue(static_cast<quint32>(*color), palette))
            font.color = *resolved;

    // A negative height is the character height, a positive one the cell height; both give the
    // size near enough for a page font.
    if (const auto height =
            readInRange(settings, "Height", -10 * maxStoredFontSize, 10 * maxStoredFontSize)) {
        const int size = static_cast<int>(std::lround(std::abs(*height) * 72.0 / pixelsPerInch));
        if (size >= 1 && size <= maxStoredFontSize)
            font.size = size;
    }

    const std::optional<QString> name = storedtext(settings.value(QStringLiteral("Name")));
    if (name && !name->trimmed().isEmpty())
        font.name = *name;

    if (const auto orientation = readInRange(settings, "Orientation", -3600, 3600))
        font.orientation = static_cast<int>(*orientation);

    if (const std::optional<FontSpec::Pitch> pitch = readPitch(settings))
        font.pitch = *pitch;

    if (const auto size = readInRange(settings, "Size", 1, maxStoredFontSize))
        font.size = static_cast<int>(*size);

    settings.beginGroup(QStringLiteral("Style"));
    for (const StyleValue &style : styleValues)
        if (const std::optional<bool> set = storedboolean(settings.value(QLatin1String(style.name))))
            font.*style.member = *set;
    settings.endGroup();
}
