#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// Watches the file of the script shown. Editors save in many ways (writing in place, or writing a
// new file and renaming it over the old one, which ends a plain file watch); the folder is watched
// as well, and a burst of changes is reported once, after it has settled, as one `changed` while
// the file is there with a new size or time, or one `vanished` once it has gone.
class ScriptFileWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int settleMs = 300;

    explicit ScriptFileWatch(QObject *parent = nullptr);

    // Watches `path` from now on; an empty path, or one that is no file, watches nothing.
    void watch(const QString &path);
    QString path() const { return m_path; }

signals:
    void changed(const QString &path);
    void vanished(const QString &path);

private:
    void touched();
    void settle();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_path;
    bool m_present = false;
    qint64 m_size = -1;
    QDateTime m_modified;
};
