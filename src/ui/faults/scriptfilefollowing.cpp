#include "ui/faults/scriptfilefollowing.h"

#include <algorithm>

#include "core/platform/translation.h"
#include "core/prompter/nearestline.h"
#include "core/prompter/scriptposition.h"
#include "core/render/scriptfilewatch.h"
#include "stringtable.h"
#include "ui/browser/browser.h"
#include "ui/prompter/prompterview.h"
#include "ui/toolkit/statusnotice.h"

ScriptFileFollowing::ScriptFileFollowing(const PrompterParts &parts, ScriptReader read, QObject *parent)
    : QObject(parent), m_view(parts.view), m_page(parts.page), m_notice(parts.notice),
      m_read(std::move(read)), m_watch(new ScriptFileWatch(this))
{
    setObjectName(QStringLiteral("scriptfilefollowing"));
    m_watch->setObjectName(QStringLiteral("scriptwatch"));
    connect(m_watch, &ScriptFileWatch::changed, this, &ScriptFileFollowing::changed);
    connect(m_watch, &ScriptFileWatch::vanished, this,
            [this](const QString &path) { m_notice.show(i18n(str::ScriptFileGone).arg(path)); });
}

void ScriptFileFollowing::follow(const QString &path)
{
    m_watch->watch(path);
}

void ScriptFileFollowing::changed(const QString &path)
{
    if (!m_view.modes().reloadChangedScript) {
        m_notice.show(i18n(str::ScriptFileChanged).arg(path));
        return;
    }
    std::optional<QStringList> lines;
    try {
        lines = m_read(path);
    } catch (const std::exception &error) {
        // Caught half written, say: the page keeps what it shows, and the next change is read.
        m_notice.show(QString::fromUtf8(error.what()));
        return;
    }
    if (!lines)
        return;
    // The reader's line, by its share of the page, is found again in the new text, and the new
    // page stands at that line's share of it: an unchanged script stands exactly where it stood.
    const QStringList &old = m_view.state().scriptlines;
    const int bottom = m_view.state().pagebottom;
    const double place =
        scriptposition(m_page.estimatedPosition(), ScriptPage{bottom, m_view.upsideDownLocally(), 1.0});
    const double line = old.size() > 1 && bottom > 0 ? place / bottom * double(old.size() - 1) : 0.0;
    const int oldIndex = int(line);
    const int newIndex = nearestline(old, oldIndex, *lines);
    // Within its line, the reader stays as far down it as before.
    const double share =
        lines->size() > 1 ? (std::max(newIndex, 0) + (line - oldIndex)) / double(lines->size() - 1) : 0.0;
    // The engine runs on as it ran; only the page is new.
    emit reloadRequested(*lines, std::clamp(share, 0.0, 1.0));
    m_notice.show(i18n(str::ScriptFileReloaded).arg(path));
}
