// The prompter's hand-over of the current script to the quick editor and back, and the display
// font command, which sends rich scripts (whose pages carry their own fonts) to the editor.
#include <QApplication>
#include <QLabel>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "ui/browser/browser.h"
#include "ui/editlive/editlive.h"
#include "ui/editor/tform2.h"
#include "core/platform/tempfile.h"
#include "core/platform/translation.h"
#include "ui/faults/scriptfilefollowing.h"
#include "ui/prompter/tform1.h"
#include "core/render/richfile.h"
#include "core/render/scriptloader.h"
#include "core/render/specialchars.h"
#include "stringtable.h"
#include "ui/toolkit/dialogs.h"

void TForm1::EditScript2Click()
{
    // The script being edited live goes to the quick editor only once Edit Live is closed.
    if (!m_editLive->handOver())
        return;
    reportingErrors([this] { quickedit(); });
    wb1->focusPage();
}

void TForm1::quickedit()
{
    TForm2 *editor = m_editor;
    prepareEditorFont();

    if (promptstate.richscript) {
        // The editor gets the script with all its formatting, its text converted for editing;
        // the display font is the default for whatever has no face or size of its own.
        convertchars(QStringLiteral("editor"), myrichedit->document(), promptstate.specialtable);
        {
            const TempFile transfer;
            saverichfile(myrichedit, transfer.path());
            loadrichfile(editor->re1, transfer.path());
        }
        editor->editmodified = false;
        editor->setdocumentname(promptstate.scriptpath);
        editor->SaveDialog1.fileName = promptstate.scriptpath;
    } else {
        // A plain script is marked modified, so that closing the editor asks to save it as a
        // rich script.
        editor->editmodified = true;
        convertchars(QStringLiteral("editor"), promptstate.scriptlines, promptstate.specialtable);
        // Markup (a newsroom's story, a script a standby took over) opens as the text it shows.
        if (promptstate.scripttext == ScriptText::Markup)
            editor->re1->document()->setHtml(promptstate.scriptlines.join(QLatin1Char('\n')));
        else
            editor->re1->document()->setPlainText(promptstate.scriptlines.join(QLatin1Char('\n')));
        editor->setdocumentname(promptstate.scriptpath);
        editor->SaveDialog1.fileName = promptstate.scriptpath;
        Dialogs::current().message(i18n(str::ConvertedToVnr));
    }
    runQuickEditor();
}

void TForm1::prepareEditorFont()
{
    TForm2 *editor = m_editor;
    QFont editorFont = editor->re1->font();
    editorFont.setPointSize(myrichedit->font().pointSize());
    editorFont.setFamily(myrichedit->font().family());
    editor->re1->setFont(editorFont);
}

void TForm1::runQuickEditor()
{
    TForm2 *editor = m_editor;
    // The operator reads the script from its start, whatever loading it left the caret at.
    editor->re1->moveCursor(QTextCursor::Start);
    if (editor->exec() != QDialog::Accepted)
        return;
    promptstate.richscript = true;
    {
        const TempFile transfer;
        saverichfile(editor->re1, transfer.path());
        displayfont.size = editor->re1->font().pointSize();
        displayfont.name = editor->re1->font().family();
        loadrichfile(myrichedit, transfer.path());
    }
    rtftohtm.RichToHtmlLines(editor->re1, promptstate.scriptlines);
    choploader(promptstate.scriptlines);
    promptstate.scripttext = ScriptText::Markup;
    reloadwb();
    // The page now shows the editor's document: its file is the one to watch.
    m_fileFollowing->follow(editor->documentname());
    Label4->setText(editor->documentname());
}

void TForm1::Font2Click()
{
    if (promptstate.richscript) {
        if (Dialogs::current().question(i18n(str::FontOnlyInEditor), QApplication::applicationDisplayName(),
                                        Dialogs::Icon::Information))
            EditScript2Click();
        wb1->focusPage();
        return;
    }
    if (const std::optional<FontSpec> chosen = Dialogs::current().chooseFont(displayfont)) {
        displayfont = *chosen;
        reloadwb();
    }
    doreset();
    wb1->focusPage();
}
