#include "core/rtf/rtfcolortable.h"

#include <algorithm>

namespace {

int component(int value)
{
    return std::clamp(value, 0, 255);
}

} // namespace

void RtfColorTable::setRed(int value)
{
    m_red = component(value);
    m_entryHasComponents = true;
}

void RtfColorTable::setGreen(int value)
{
    m_green = component(value);
    m_entryHasComponents = true;
}

void RtfColorTable::setBlue(int value)
{
    m_blue = component(value);
    m_entryHasComponents = true;
}

void RtfColorTable::endEntry()
{
    if (m_entryHasComponents)
        m_colors.emplace_back(QColor(m_red, m_green, m_blue));
    else
        m_colors.emplace_back(std::nullopt);
    m_red = m_green = m_blue = 0;
    m_entryHasComponents = false;
}

std::optional<QColor> RtfColorTable::color(int index) const
{
    if (index <= 0 || size_t(index) >= m_colors.size())
        return std::nullopt;
    return m_colors[size_t(index)];
}
