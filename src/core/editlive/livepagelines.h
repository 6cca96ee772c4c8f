#pragma once

#include <QStringList>

#include "core/engine/scriptmarkers.h"
#include "core/render/page.h"

// How the prompter's page shows its script's lines: the special-character table, capitals, whether
// the lines are markup or text as written, and how markers show.
struct PageLook {
    QStringList specialtable;
    bool allcaps = false;
    ScriptText text = ScriptText::Plain;
    MarkerDisplay markers = MarkerDisplay::Quiet;
};

// Script lines as an editor holds them, converted for the page by the special-character table (as
// the page's build converts the script's lines).
QStringList shownlines(QStringList editorLines, const QStringList &specialtable);

// The page lines of script lines converted for the page already: the very lines the page's build
// and its markers give them, so that lines put into a page in place match a page built anew.
QStringList pagelinesof(const QStringList &shownLines, const PageLook &look);
