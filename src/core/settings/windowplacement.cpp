#include "core/settings/windowplacement.h"

#include <array>
#include <limits>

#include <QSettings>
#include <QStringList>

#include "core/settings/storedvalue.h"

namespace {

QString fourNumbers(int a, int b, int c, int d)
{
    return QStringLiteral("%1,%2,%3,%4").arg(a).arg(b).arg(c).arg(d);
}

// The four numbers of a stored position text; a number that cannot be read is empty.
std::array<std::optional<int>, 4> readFourNumbers(const QString &text)
{
    std::array<std::optional<int>, 4> numbers;
    const QStringList parts = text.split(QLatin1Char(','));
    for (qsizetype i = 0; i < parts.size() && i < 4; ++i) {
        const std::optional<qint64> number = storedinteger(parts.at(i));
        if (number && *number >= std::numeric_limits<int>::min() &&
            *number <= std::numeric_limits<int>::max())
            numbers.at(i) = static_cast<int>(*number);
    }
    return numbers;
}

std::optional<int> storedInt(const QSettings &settings, const QString &key)
{
    const std::optional<qint64> number = storedinteger(settings.value(key));
    if (!number || *number < std::numeric_limits<int>::min() || *number > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*number);
}

} // namespace

QString minmaxpostext(const WindowPlacement &placement)
{
    return fourNumbers(placement.minPosition.x(), placement.minPosition.y(), placement.maxPosition.x(),
                       placement.maxPosition.y());
}

QString normpostext(const QRect &rect)
{
    return fourNumbers(rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height());
}

void readminmaxpos(const QString &text, WindowPlacement &placement)
{
    const auto numbers = readFourNumbers(text);
    placement.minPosition = QPoint(numbers[0].value_or(0), numbers[1].value_or(0));
    placement.maxPosition = QPoint(numbers[2].value_or(0), numbers[3].value_or(0));
}

QRect readnormpos(const QString &text, const QRect &current)
{
    const auto numbers = readFourNumbers(text);
    const int left = numbers[0].value_or(current.left());
    const int top = numbers[1].value_or(current.top());
    const int right = numbers[2].value_or(current.left() + current.width());
    const int bottom = numbers[3].value_or(current.top() + current.height());
    return QRect(left, top, right - left, bottom - top);
}

int showcmdstate(qint64 showCmd)
{
    switch (showCmd) {
    case 2:
    case 6:
    case 7:
        return WindowPlacement::Minimized;
    case 3:
        return WindowPlacement::Maximized;
    default:
        return WindowPlacement::Normal;
    }
}

void writeplacement(QSettings &settings, const WindowPlacement &placement, int pixelsPerInch,
                    bool withShowCmd)
{
    if (withShowCmd)
        settings.setValue(QStringLiteral("ShowCmd"), placement.showCmd);
    settings.setValue(QStringLiteral("Flags"), placement.flags);
    settings.setValue(QStringLiteral("PixelsPerInch"), pixelsPerInch);
    settings.setValue(QStringLiteral("MinMaxPos"), minmaxpostext(placement));
    settings.setValue(QStringLiteral("NormPos"), normpostext(placement.normal));
}

RestoredPlacement readplacement(QSettings &settings, const WindowPlacement &current, int pixelsPerInch,
                                bool withShowCmd)
{
    RestoredPlacement restored{current, false};
    WindowPlacement &placement = restored.placement;
    if (const std::optional<int> flags = storedInt(settings, QStringLiteral("Flags")))
        placement.flags = *flags;
    bool found = false;
    const std::optional<QString> minMax = storedtext(settings.value(QStringLiteral("MinMaxPos")));
    if (minMax && !minMax->isEmpty()) {
        readminmaxpos(*minMax, placement);
        found = true;
    }
    const std::optional<QString> norm = storedtext(settings.value(QStringLiteral("NormPos")));
    if (norm && !norm->isEmpty()) {
        placement.normal = readnormpos(*norm, current.normal);
        found = true;
    }
    if (found) {
        const std::optional<int> storedPpi = storedInt(settings, QStringLiteral("PixelsPerInch"));
        restored.applyPositions = storedPpi == pixelsPerInch && placement.normal.isValid();
    }
    if (!restored.applyPositions) {
        placement.minPosition = current.minPosition;
        placement.maxPosition = current.maxPosition;
        placement.normal = current.normal;
    }
    if (withShowCmd) {
        const std::optional<qint64> showCmd = storedinteger(settings.value(QStringLiteral("ShowCmd")));
        placement.showCmd = showcmdstate(showCmd.value_or(WindowPlacement::Normal));
    }
    return restored;
}
