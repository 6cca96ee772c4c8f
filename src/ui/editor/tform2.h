#pragma once

#include <functional>

#include <QDialog>

#include "core/editor/linesearch.h"
#include "ui/editor/scriptsaving.h"
#include "ui/toolkit/dialogs.h"
#include "ui/toolkit/imagelist.h"

class FindReplaceDialog;
class RecoveryAutosave;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class QTextEdit;
class ToolImage;

// The quick editor: one rich-text document in `re1`, named by the status line, with file
// commands that protect unsaved changes, find and replace, and editing commands. The prompter
// shows it modally; it closes with Accepted (OK) when the document was not modified or was
// saved while closing, and with Rejected (Cancel) otherwise.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget *parent = nullptr);

    // The document name: the status line's text.
    QString documentname() const;
    void setdocumentname(const QString &name);

    bool editmodified = false; // the text changed since it was last loaded or saved
    bool editsaved = false;    // the last Save wrote the file
    LineSearch finder;         // the find walk shared by both dialogs
    // Keeps unsaved text in the recovery file while the editor is open.
    RecoveryAutosave *recovery;

    // What the next file dialog of each kind is asked; every command sets its own filter, and a
    // confirmed dialog keeps the chosen path as its file name.
    FileDialogRequest OpenDialog1, SaveDialog1;

    // Controls, named as the prompter and the tests find them.
    QMenuBar *JvMainMenu1;
    QWidget *Panel1;
    ToolImage *Image2, *Image3, *Image4, *Image5, *Image6, *Image7, *Image8, *Image9;
    QTextEdit *re1;
    QStatusBar *StatusBar1;
    QMenu *File1, *Edit1, *Format1, *PopupMenu1;
    QAction *New1, *Open1, *Import1, *Export1, *Save1, *SaveAs1, *Exit1;
    QAction *Undo1, *Redo1, *Cut1, *Copy1, *Paste1, *Find1, *Replace1, *DateTime1, *Font1;
    QAction *Undo2, *Cut2, *Copy2, *Paste2, *Delete1, *SelectAll1, *Find2, *Replace2, *Font3;
    FindReplaceDialog *FindDialog1, *ReplaceDialog1;
    ImageList ImageList1, ImageList2;

    // File commands
    void New1Click();
    void Open1Click();
    void Import1Click();
    void Export1Click();
    void Save1Click();
    void SaveAs1Click();
    void Exit1Click();

    // Find and replace
    void Find1Click();
    void Replace1Click();
    void FindDialog1Find();
    void ReplaceDialog1Find();
    void ReplaceDialog1Replace(bool replaceAll);
    void SearchAndReplace(const QString &findText, const QString &replaceText);

    // Editing commands
    void Undo1Click();
    void Redo1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Delete1Click();
    void SelectAll1Click();
    void DateTime1Click();
    void Font1Click();
    void Image9Click();
    void domouseover(ToolImage *image, int index);
    void domouseout(ToolImage *image, int index);

    void re1Change();

    // Asks the window to close through the close query (Esc too).
    void reject() override;
    // The program is being ended: unsaved text is kept in the recovery file, and the window
    // closes (Rejected) without asking.
    void closeKeepingRecovery();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The editor's lines as wrapped on screen, and where each starts in the text.
    struct EditorLines {
        QStringList texts;
        QList<int> starts;
    };

    void createLayout();
    void createMenus();
    void createToolbar();
    void setTexts();
    void connectControls();
    ToolImage *addToolImage(const char *name, const char *hint, int highlightIndex, int normalIndex);

    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool &canClose);

    // The commands' steps; a file that cannot be read or written throws, ending the command.
    void newdocument();
    void askToSaveFirst();
    void opendocument(const QString &filter, const QString &defaultSuffix, bool importing);
    void exportdocument();
    void savedocument();
    void saveasdocument();
    // Where the file dialogs start: the current document's folder, else the one used last.
    QString dialogfolder() const;

    void findnext(const FindReplaceDialog *dialog);
    EditorLines editorlines() const;
    // Runs a command, showing the text of an error it raises.
    void reportingErrors(const std::function<void()> &command);

    QLabel *m_name;
    ScriptSaving m_saving{SaveDialog1};
    int m_closeResult = Rejected;
    bool m_centred = false;
    bool m_closingForExit = false;
};
