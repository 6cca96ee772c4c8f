#pragma once

#include <QString>
#include <QStringList>

#include "core/render/page.h"

// The prompting state: what the prompter window and its operations share for the whole run. The
// speed and the direction belong to the prompting engine.
struct PromptState {
    bool mirroron = false;
    bool rotateon = false;
    bool helpshown = false;  // the help pages are in the browser instead of the script page
    bool richscript = false; // the script came from the rich format or from the quick editor
    QString scriptpath;
    int pagebottom = 0; // the largest scroll position of the page last loaded
    QStringList scriptlines;
    ScriptText scripttext = ScriptText::Plain; // whether scriptlines are markup or text as written
    QStringList pagelines;
    QStringList specialtable;
    int queuepos = 0;
    int holdbutton = 0; // the speed image held down: 1 increase, 2 decrease
    QString versiontext;
};
