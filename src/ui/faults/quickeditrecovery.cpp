#include "ui/faults/quickeditrecovery.h"

#include <QLocale>
#include <QTextDocument>
#include <QTextEdit>

#include "core/editor/recoverystore.h"
#include "core/platform/translation.h"
#include "core/rtf/rtf.h"
#include "stringtable.h"
#include "ui/editor/recoveryautosave.h"
#include "ui/editor/tform2.h"
#include "ui/toolkit/dialogs.h"

QuickEditRecovery::QuickEditRecovery(TForm2 &editor, RecoveryStore store, const char *offerText,
                                     EditorOpener openEditor, QObject *parent)
    : QObject(parent), m_editor(editor), m_store(std::move(store)), m_offerText(offerText),
      m_openEditor(std::move(openEditor))
{
    setObjectName(QStringLiteral("quickeditrecovery"));
}

void QuickEditRecovery::offer()
{
    const RecoveryStore &store = m_store;
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
        i18n(m_offerText).arg(text->documentName, kept, recoverypreview(document.toPlainText())),
        i18n(str::RecoveryCaption), Dialogs::Icon::Warning);
    // Chosen: the editor keeps the text again as soon as it is shown and changed.
    store.remove();
    if (!recover)
        return;
    const RecoveredText recovered = *text;
    m_openEditor([&recovered](TForm2 &editor) {
        editor.re1->setAcceptRichText(true);
        readRtf(recovered.rtf, editor.re1->document());
        editor.setdocumentname(recovered.documentName);
        if (recovered.documentName != i18n(str::NoScript))
            editor.SaveDialog1.fileName = recovered.documentName;
        // Unsaved it was, and unsaved it is until the operator saves it.
        editor.editmodified = true;
        editor.recovery->changed();
    });
}
