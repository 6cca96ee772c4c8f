#pragma once

#include <QString>

#include "ui/toolkit/dialogs.h"

class QTextEdit;

// Saving a script's document as the quick editor saves it (Edit Live saves so too): a document
// named by a .vnr file (the lower-case extension) is written there at once and "Script Saved"
// told; any other asks for a .vnr name in the save dialog, proposing the document's own name as a
// .vnr and warning before it replaces a file that is no rich script; an empty document is not
// saved ("Nothing to save"). Files are written whole or not at all; a failed write throws, and
// nothing else changes.
class ScriptSaving {
public:
    // `dialog`: the save dialog's request, which keeps its filter, folder and name between saves.
    explicit ScriptSaving(FileDialogRequest &dialog) : m_dialog(dialog) {}

    // Save (`askName` false) or Save As (true) of the document of `text`, named `name`: the file
    // written, or empty when nothing was (empty document, dialog cancelled).
    QString save(QTextEdit *text, const QString &name, bool askName);

    // Where the file dialogs start for the document `name`: its folder, else the one used last.
    QString folderFor(const QString &name) const;
    void setLastFolder(const QString &folder) { m_lastFolder = folder; }

private:
    // The save dialog for a .vnr name; empty when cancelled, or when the operator chose a file that
    // is no rich script and would not lose it.
    QString askForVnrName(const QString &name);

    FileDialogRequest &m_dialog;
    QString m_lastFolder;
};
