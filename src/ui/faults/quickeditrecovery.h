#pragma once

#include <functional>

#include <QObject>

#include "core/editor/recoverystore.h"

class TForm2;

// The quick editor's text left unsaved by a run that was killed or lost its power (or Edit Live's,
// kept in a recovery file of its own): offered at the next start with what it would restore, and
// opened in the quick editor when the operator wants it. The recovery file goes once the operator
// has chosen.
class QuickEditRecovery : public QObject {
    Q_OBJECT
public:
    // `openEditor` hands the script to the quick editor as the prompter does, with what `fill`
    // puts into it, and shows it.
    using EditorOpener = std::function<void(const std::function<void(TForm2 &)> &fill)>;

    // `store`: the recovery file; `offerText`: the string table's question, with the document's
    // name, the time it was kept and its first lines for %1 to %3.
    QuickEditRecovery(TForm2 &editor, RecoveryStore store, const char *offerText, EditorOpener openEditor,
                      QObject *parent = nullptr);

    void offer();

private:
    TForm2 &m_editor;
    RecoveryStore m_store;
    const char *m_offerText;
    EditorOpener m_openEditor;
};
