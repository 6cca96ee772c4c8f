#include "core/prompter/outputscreen.h"

QString chooseoutputscreen(const QStringList &screens, const QString &prompterScreen,
                           const QString &remembered)
{
    if (remembered != prompterScreen && screens.contains(remembered))
        return remembered;
    for (const QString &screen : screens)
        if (screen != prompterScreen)
            return screen;
    return {};
}
