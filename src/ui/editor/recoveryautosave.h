#pragma once

#include <functional>

#include <QObject>
#include <QTimer>

#include "core/editor/recoverystore.h"

class QTextEdit;

// Keeps the quick editor's unsaved text in the recovery file a few seconds after each change, so
// that a kill or a power loss loses at most those seconds. The file goes once the user has saved
// the text or chosen to lose it.
class RecoveryAutosave : public QObject {
    Q_OBJECT
public:
    static constexpr int defaultDelayMs = 3000;

    // `unsaved` tells whether the editor holds text not saved; `documentName` names it.
    RecoveryAutosave(QTextEdit *editor, std::function<bool()> unsaved, std::function<QString()> documentName,
                     QObject *parent);

    void setStore(const RecoveryStore &store) { m_store = store; }
    const RecoveryStore &store() const { return m_store; }
    void setDelay(int ms) { m_timer.setInterval(ms); }

    // The text has changed: it is kept once the delay has passed (a change within the delay is
    // kept with it).
    void changed();
    // Keeps the text at once when it is unsaved (the program is being ended).
    void keepNow();
    // The user has saved the text or chosen to lose it: nothing is left to keep.
    void discard();

signals:
    // Keeping the text failed; `text` tells why.
    void failed(const QString &text);
    // The text has been written to the recovery file.
    void kept();

private:
    void keep();

    QTextEdit *m_editor;
    std::function<bool()> m_unsaved;
    std::function<QString()> m_documentName;
    RecoveryStore m_store;
    QTimer m_timer;
};
