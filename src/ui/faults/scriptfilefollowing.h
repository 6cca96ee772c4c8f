#pragma once

#include <functional>
#include <optional>

#include <QObject>
#include <QStringList>

class Browser;
class PrompterView;
class ScriptFileWatch;
class StatusNotice;
struct PrompterParts;

// The script's file changed or went while it is shown: the page never breaks, and loading the new
// text is the operator's choice (options window: "Reload when the file changes"). A reloaded
// script stands at the line the reader was at, found again in the new text.
class ScriptFileFollowing : public QObject {
    Q_OBJECT
public:
    // Reads a script file as the prompter does; nothing when its type is unknown, and throws when
    // it cannot be read.
    using ScriptReader = std::function<std::optional<QStringList>(const QString &path)>;

    ScriptFileFollowing(const PrompterParts &parts, ScriptReader read, QObject *parent = nullptr);

    ScriptFileWatch *watch() const { return m_watch; }
    // The file of the script now shown (none: empty).
    void follow(const QString &path);

signals:
    // The changed file is to be shown as `lines`, the new page standing at `share` (0..1) of its
    // length.
    void reloadRequested(const QStringList &lines, double share);

private:
    void changed(const QString &path);

    PrompterView &m_view;
    Browser &m_page;
    StatusNotice &m_notice;
    ScriptReader m_read;
    ScriptFileWatch *m_watch;
};
