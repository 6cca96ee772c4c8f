#include "ui/editor/recoveryautosave.h"

#include <QTextEdit>

#include "core/rtf/rtf.h"

RecoveryAutosave::RecoveryAutosave(QTextEdit *editor, std::function<bool()> unsaved,
                                   std::function<QString()> documentName, QObject *parent)
    : QObject(parent), m_editor(editor), m_unsaved(std::move(unsaved)),
      m_documentName(std::move(documentName))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(defaultDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryAutosave::keep);
}

void RecoveryAutosave::changed()
{
    // Not put off by further changes: while the user types on, the text is kept every few seconds.
    if (!m_timer.isActive())
        m_timer.start();
}

void RecoveryAutosave::keepNow()
{
    m_timer.stop();
    if (m_unsaved())
        keep();
}

void RecoveryAutosave::discard()
{
    m_timer.stop();
    m_store.remove();
}

void RecoveryAutosave::keep()
{
    // Text being handed to an editor not yet shown is no one's work yet.
    if (!m_editor->isVisible())
        return;
    // Text saved since the change needs no recovery.
    if (!m_unsaved()) {
        m_store.remove();
        return;
    }
    try {
        // Written as shown, like a saved script: text in the editor's own colour keeps it.
        m_store.save(
            RecoveredText{m_documentName(), QDateTime::currentDateTimeUtc(),
                          writeRtf(m_editor->document(), m_editor->palette().color(QPalette::Text))});
        emit kept();
    } catch (const std::exception &error) {
        emit failed(QString::fromUtf8(error.what()));
    }
}
