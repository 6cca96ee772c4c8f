// The quick editor's text left unsaved by a run that was killed or lost its power: offered at the
// next start with what it would restore, and opened in the quick editor when the operator wants it.
#include <QLabel>
#include <QLocale>
#include <QTextDocument>
#include <QTextEdit>

#include "ui/app/windows.h"
#include "ui/editor/recoveryautosave.h"
#include "core/editor/recoverystore.h"
#include "ui/editor/tform2.h"
#include "core/platform/translation.h"
#include "ui/prompter/tform1.h"
#include "core/rtf/rtf.h"
#include "stringtable.h"
#include "ui/toolkit/dialogs.h"

void TForm1::offerRecovery()
{
    TForm2 *editor = windows().Form2;
    if (!editor)
        return;
    const RecoveryStore &store = editor->recovery->store();
    std::optional<RecoveredText> text;
    try {
        text = store.load();
    } catch (const std::exception &error) {
        // Not offered again, but not thrown away either.
        const QString aside = store.setAside();
        Dialogs::current().message(i18n(str::RecoveryDamaged).arg(QString::fromUtf8(error.what()), aside));
        return;
    }
    if (!text)
        return;
    QTextDocument document;
    readRtf(text->rtf, &document);
    const QString kept = QLocale().toString(text->keptAt.toLocalTime(), QLocale::ShortFormat);
    const bool recover = Dialogs::current().question(
        i18n(str::RecoveryOffer).arg(text->documentName, kept, recoverypreview(document.toPlainText())),
        i18n(str::RecoveryCaption), Dialogs::Icon::Warning);
    // Chosen: the editor keeps the text again as soon as it is shown and changed.
    store.remove();
    if (recover)
        reportingErrors([this, &text] { quickeditRecovered(*text); });
}

void TForm1::quickeditRecovered(const RecoveredText &text)
{
    TForm2 *editor = windows().Form2;
    prepareEditorFont();
    editor->re1->setAcceptRichText(true);
    readRtf(text.rtf, editor->re1->document());
    editor->setdocumentname(text.documentName);
    if (text.documentName != i18n(str::NoScript))
        editor->SaveDialog1.fileName = text.documentName;
    // Unsaved it was, and unsaved it is until the operator saves it.
    editor->editmodified = true;
    editor->recovery->changed();
    runQuickEditor();
}
