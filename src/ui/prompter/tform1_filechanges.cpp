// The script's file changed or went while it is shown: the page never breaks, and loading the new
// text is the operator's choice (options window: "Reload when the file changes").
#include <algorithm>

#include <QLabel>

#include "ui/browser/browser.h"
#include "core/platform/translation.h"
#include "core/prompter/nearestline.h"
#include "core/prompter/scriptposition.h"
#include "ui/prompter/tform1.h"
#include "stringtable.h"
#include "ui/toolkit/statusnotice.h"

void TForm1::scriptFileChanged(const QString &path)
{
    if (!displaymodes.reloadChangedScript) {
        m_notice->show(i18n(str::ScriptFileChanged).arg(path));
        return;
    }
    std::optional<QStringList> lines;
    try {
        lines = readscript(path, false);
    } catch (const std::exception &error) {
        // Caught half written, say: the page keeps what it shows, and the next change is read.
        m_notice->show(QString::fromUtf8(error.what()));
        return;
    }
    if (!lines)
        return;
    // The reader's line, by its share of the page, is found again in the new text, and the new
    // page stands at that line's share of it: an unchanged script stands exactly where it stood.
    const QStringList &old = promptstate.scriptlines;
    const int bottom = promptstate.pagebottom;
    const double place =
        scriptposition(wb1->estimatedPosition(), ScriptPage{bottom, upsideDownLocally(), 1.0});
    const double line = old.size() > 1 && bottom > 0 ? place / bottom * double(old.size() - 1) : 0.0;
    const int oldIndex = int(line);
    const int newIndex = nearestline(old, oldIndex, *lines);
    // Within its line, the reader stays as far down it as before.
    const double share =
        lines->size() > 1 ? (std::max(newIndex, 0) + (line - oldIndex)) / double(lines->size() - 1) : 0.0;
    m_reloadShare = std::clamp(share, 0.0, 1.0);
    promptstate.scriptlines = *lines;
    // The engine runs on as it ran; only the page is new.
    reloadwb();
    m_notice->show(i18n(str::ScriptFileReloaded).arg(path));
}

void TForm1::scriptFileVanished(const QString &path)
{
    m_notice->show(i18n(str::ScriptFileGone).arg(path));
}
