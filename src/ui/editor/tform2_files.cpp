// The quick editor's file commands: New, Open, Import, Export, Save, Save As and Exit, with the
// questions that protect unsaved changes.
#include <QDir>
#include <QFileInfo>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "ui/editor/tform2.h"
#include "core/editor/vnrname.h"
#include "core/platform/translation.h"
#include "core/render/richfile.h"
#include "stringtable.h"

namespace {

// The extension of a name, from the last full stop of its file-name part: ".vnr", "." or "".
QString extensionOf(const QString &name)
{
    const QString fileName = QFileInfo(name).fileName();
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName.mid(dot);
}

} // namespace

void TForm2::New1Click()
{
    reportingErrors([this] { newdocument(); });
}

void TForm2::Open1Click()
{
    reportingErrors([this] { opendocument(i18n(str::VantellScriptsFilter), QStringLiteral("vnr"), false); });
}

void TForm2::Import1Click()
{
    reportingErrors([this] { opendocument(i18n(str::ImportFilter), QStringLiteral("txt"), true); });
}

void TForm2::Export1Click()
{
    reportingErrors([this] { exportdocument(); });
}

void TForm2::Save1Click()
{
    reportingErrors([this] { savedocument(); });
}

void TForm2::SaveAs1Click()
{
    reportingErrors([this] { saveasdocument(); });
}

void TForm2::Exit1Click()
{
    close();
}

void TForm2::newdocument()
{
    // With unsaved changes, Yes saves and stops there: the text stays until a later New finds
    // nothing left unsaved.
    if (editmodified && Dialogs::current().question(i18n(str::SaveChangesFirst), i18n(str::Warning),
                                                    Dialogs::Icon::Warning)) {
        savedocument();
        return;
    }
    re1->clear();
    editmodified = false;
    setdocumentname(i18n(str::NoScript));
}

void TForm2::askToSaveFirst()
{
    // Whatever the answer, and whatever the save did, the command goes on.
    if (editmodified &&
        Dialogs::current().question(i18n(str::SaveChangesFirst), i18n(str::Warning), Dialogs::Icon::Warning))
        savedocument();
}

void TForm2::opendocument(const QString &filter, const QString &defaultSuffix, bool importing)
{
    askToSaveFirst();
    OpenDialog1.filter = filter;
    OpenDialog1.defaultSuffix = defaultSuffix;
    OpenDialog1.directory = dialogfolder();
    const FileChoice choice = Dialogs::current().openFile(OpenDialog1);
    if (!choice.accepted())
        return;
    OpenDialog1.fileName = choice.path;
    m_lastfolder = QFileInfo(choice.path).absolutePath();
    loadrichfile(re1, choice.path);
    setdocumentname(choice.path);
    if (importing) {
        // Imported text is white, whatever colours it had.
        QTextCursor all(re1->document());
        all.select(QTextCursor::Document);
        QTextCharFormat white;
        white.setForeground(QColor(0xFF, 0xFF, 0xFF));
        all.mergeCharFormat(white);
        re1->moveCursor(QTextCursor::Start);
    }
    editmodified = false;
}

void TForm2::exportdocument()
{
    SaveDialog1.filter = i18n(str::ExportFilter);
    SaveDialog1.defaultSuffix = QStringLiteral("txt");
    SaveDialog1.directory = dialogfolder();
    const FileChoice choice = Dialogs::current().saveFile(SaveDialog1);
    if (!choice.accepted())
        return;
    SaveDialog1.fileName = choice.path;
    m_lastfolder = QFileInfo(choice.path).absolutePath();
    if (choice.filterIndex == 2)
        saverichfile(re1, choice.path);
    else
        saveplainfile(re1, choice.path);
}

void TForm2::savedocument()
{
    editsaved = false;
    if (documentisempty()) {
        Dialogs::current().message(i18n(str::NothingToSave));
        return;
    }
    // Only the lower-case extension names a rich script that is written back directly.
    const QString name = documentname();
    if (!name.isEmpty() && extensionOf(name) == QLatin1String(".vnr")) {
        saverichfile(re1, name);
        editmodified = false;
        Dialogs::current().message(i18n(str::ScriptSaved));
        editsaved = true;
        return;
    }
    const QString path = askforvnrname();
    if (path.isEmpty())
        return;
    saverichfile(re1, path);
    editsaved = true;
    editmodified = false;
    setdocumentname(path);
}

void TForm2::saveasdocument()
{
    if (documentisempty()) {
        Dialogs::current().message(i18n(str::NothingToSave));
        return;
    }
    const QString path = askforvnrname();
    if (path.isEmpty())
        return;
    saverichfile(re1, path);
    editmodified = false;
    setdocumentname(path);
}

QString TForm2::askforvnrname()
{
    SaveDialog1.filter = i18n(str::VantellFilesFilter);
    SaveDialog1.defaultSuffix = QStringLiteral("vnr");
    // A script opened from a document is proposed as a .vnr of its own, never as the document.
    SaveDialog1.fileName = vnrname(documentname());
    SaveDialog1.directory = dialogfolder();
    const FileChoice choice = Dialogs::current().saveFile(SaveDialog1);
    if (!choice.accepted())
        return QString();
    // The operator may still pick a document, a text or any other file: it would be lost.
    if (replacesotherfile(choice.path) &&
        !Dialogs::current().question(i18n(str::ReplacesOtherFile).arg(QFileInfo(choice.path).fileName()),
                                     i18n(str::Warning), Dialogs::Icon::Warning, Dialogs::Answer::No))
        return QString();
    SaveDialog1.fileName = choice.path;
    m_lastfolder = QFileInfo(choice.path).absolutePath();
    return choice.path;
}

QString TForm2::dialogfolder() const
{
    const QFileInfo document(documentname());
    if (document.isAbsolute() && document.dir().exists())
        return document.absolutePath();
    return m_lastfolder;
}

bool TForm2::documentisempty() const
{
    return re1->document()->isEmpty();
}
