#include "core/render/scriptfilewatch.h"

#include <QFileInfo>

ScriptFileWatch::ScriptFileWatch(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMs);
    connect(&m_settle, &QTimer::timeout, this, &ScriptFileWatch::settle);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &ScriptFileWatch::touched);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &ScriptFileWatch::touched);
}

void ScriptFileWatch::watch(const QString &path)
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_settle.stop();
    const QFileInfo file(path);
    m_path = file.isFile() ? file.absoluteFilePath() : QString();
    m_present = !m_path.isEmpty();
    if (!m_present)
        return;
    m_size = file.size();
    m_modified = file.lastModified();
    m_watcher.addPath(m_path);
    m_watcher.addPath(file.absolutePath());
}

void ScriptFileWatch::touched()
{
    if (!m_path.isEmpty())
        m_settle.start();
}

void ScriptFileWatch::settle()
{
    const QFileInfo file(m_path);
    if (!file.isFile()) {
        if (m_present) {
            m_present = false;
            emit vanished(m_path);
        }
        return;
    }
    // A file replaced by renaming is a new file to the watcher: it is watched again.
    if (!m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
    const bool wasPresent = std::exchange(m_present, true);
    if (wasPresent && file.size() == m_size && file.lastModified() == m_modified)
        return;
    m_size = file.size();
    m_modified = file.lastModified();
    emit changed(m_path);
}
