#pragma once

#include <QString>
#include <QStringList>

// The screen the output window opens on, by name, out of `screens`: the remembered one when it is
// there and is not the prompter's own, else the first other screen. Empty when the prompter's
// screen is the only one: the output window then opens as a normal window beside the prompter.
QString chooseoutputscreen(const QStringList &screens, const QString &prompterScreen,
                           const QString &remembered);
