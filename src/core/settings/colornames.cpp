#include "core/settings/colornames.h"

#include <array>
#include <utility>

namespace {

struct NamedColor {
    const char *ident;
    quint32 value;
};

constexpr std::array<NamedColor, 52> namedColors{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clActiveBorder", 0xFF00000A},
    {"clActiveCaption", 0xFF000002},
    {"clAppWorkSpace", 0xFF00000C},
    {"clBackground", 0xFF000001},
    {"clBtnFace", 0xFF00000F},
    {"clBtnHighlight", 0xFF000014},
    {"clBtnShadow", 0xFF000010},
    {"clBtnText", 0xFF000012},
    {"clCaptionText", 0xFF000009},
    {"clDefault", 0x20000000},
    {"clGradientActiveCaption", 0xFF00001B},
    {"clGradientInactiveCaption", 0xFF00001C},
    {"clGrayText", 0xFF000011},
    {"clHighlight", 0xFF00000D},
    {"clHighlightText", 0xFF00000E},
    {"clHotLight", 0xFF00001A},
    {"clInactiveBorder", 0xFF00000B},
    {"clInactiveCaption", 0xFF000003},
    {"clInactiveCaptionText", 0xFF000013},
    {"clInfoBk", 0xFF000018},
    {"clInfoText", 0xFF000017},
    {"clMenu", 0xFF000004},
    {"clMenuBar", 0xFF00001E},
    {"clMenuHighlight", 0xFF00001D},
    {"clMenuText", 0xFF000007},
    {"clNone", 0x1FFFFFFF},
    {"clScrollBar", 0xFF000000},
    {"cl3DDkShadow", 0xFF000015},
    {"cl3DLight", 0xFF000016},
    {"clWindow", 0xFF000005},
    {"clWindowFrame", 0xFF000006},
    {"clWindowText", 0xFF000008},
}};

constexpr quint32 systemColorKind = 0xFF000000;
constexpr quint32 paletteRgbKind = 0x02000000; // an RGB colour matched in the logical palette

// The palette colour closest in meaning to each system-colour index.
std::pair<QPalette::ColorGroup, QPalette::ColorRole> systemRole(quint32 index)
{
    using G = QPalette::ColorGroup;
    using R = QPalette::ColorRole;
    switch (index) {
    case 0x00: // scroll bar
    case 0x0A: // active border
    case 0x0B: // inactive border
    case 0x0F: // button face
        return {G::Active, R::Button};
    case 0x01: // desktop
    case 0x0C: // application workspace
    case 0x10: // button shadow
        return {G::Active, R::Dark};
    case 0x02: // active caption
    case 0x0D: // highlight
    case 0x1B: // gradient of the active caption
    case 0x1D: // menu highlight
        return {G::Active, R::Highlight};
    case 0x03: // inactive caption
    case 0x1C: // gradient of the inactive caption
        return {G::Inactive, R::Highlight};
    case 0x04: // menu
    case 0x1E: // menu bar
        return {G::Active, R::Window};
    case 0x05: // window
        return {G::Active, R::Base};
    case 0x06: // window frame
    case 0x15: // 3-D dark shadow
        return {G::Active, R::Shadow};
    case 0x07: // menu text
        return {G::Active, R::WindowText};
    case 0x08: // window text
        return {G::Active, R::Text};
    case 0x09: // caption text
    case 0x0E: // highlighted text
        return {G::Active, R::HighlightedText};
    case 0x11: // grey text
        return {G::Disabled, R::Text};
    case 0x12: // button text
        return {G::Active, R::ButtonText};
    case 0x13: // inactive caption text
        return {G::Inactive, R::HighlightedText};
    case 0x14: // button highlight
        return {G::Active, R::Light};
    case 0x16: // 3-D light
        return {G::Active, R::Midlight};
    case 0x17: // tooltip text
        return {G::Active, R::ToolTipText};
    case 0x18: // tooltip background
        return {G::Active, R::ToolTipBase};
    case 0x1A: // hot-tracked item
        return {G::Active, R::Link};
    default:
        return {G::Active, R::NoRole};
    }
}

} // namespace

QString colorident(quint32 value)
{
    for (const NamedColor &named : namedColors)
        if (named.value == value)
            return QLatin1String(named.ident);
    return {};
}

std::optional<quint32> identtocolor(const QString &ident)
{
    for (const NamedColor &named : namedColors)
        if (ident.compare(QLatin1String(named.ident), Qt::CaseInsensitive) == 0)
            return named.value;
    return std::nullopt;
}

quint32 colorvalue(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return static_cast<quint32>(rgb.red()) | static_cast<quint32>(rgb.green()) << 8 |
           static_cast<quint32>(rgb.blue()) << 16;
}

std::optional<QColor> colorfromvalue(quint32 value, const QPalette &palette)
{
    const quint32 kind = value & 0xFF000000;
    if (kind == systemColorKind) {
        const auto [group, role] = systemRole(value & 0xFF);
        if (role == QPalette::NoRole)
            return std::nullopt;
        return palette.color(group, role);
    }
    if (kind != 0 && kind != paletteRgbKind)
        return std::nullopt;
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>(value >> 8 & 0xFF),
                  static_cast<int>(value >> 16 & 0xFF));
}
