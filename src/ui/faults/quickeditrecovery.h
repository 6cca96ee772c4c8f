#pragma once

#include <functional>

#include <QObject>

class TForm2;

// The quick editor's text left unsaved by a run that was killed or lost its power: offered at the
// next start with what it would restore, and opened in the quick editor when the operator wants
// it. The recovery file goes once the operator has chosen.
class QuickEditRecovery : public QObject {
    Q_OBJECT
public:
    // `openEditor` hands the script to the quick editor as the prompter does, with what `fill`
    // puts into it, and shows it.
    using EditorOpener = std::function<void(const std::function<void(TForm2 &)> &fill)>;

    QuickEditRecovery(TForm2 &editor, EditorOpener openEditor, QObject *parent = nullptr);

    void offer();

private:
    TForm2 &m_editor;
    EditorOpener m_openEditor;
};
