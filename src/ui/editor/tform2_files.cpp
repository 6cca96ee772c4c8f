// The quick editor's file commands: New, Open, Import, Export, Save, Save As and Exit, with the
// questions that protect unsaved changes.
#include <QDir>
#include <QFileInfo>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "ui/editor/tform2.h"
#include "core/platform/translation.h"
#include "core/render/richfile.h"
#include "stringtable.h"

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
    m_saving.setLastFolder(QFileInfo(choice.path).absolutePath());
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
    m_saving.setLastFolder(QFileInfo(choice.path).absolutePath());
    if (choice.filterIndex == 2)
        saverichfile(re1, choice.path);
    else
        saveplainfile(re1, choice.path);
}

void TForm2::savedocument()
{
    editsaved = false;
    const QString path = m_saving.save(re1, documentname(), false);
    if (path.isEmpty())
        return;
    editsaved = true;
    editmodified = false;
    setdocumentname(path);
}

void TForm2::saveasdocument()
{
    const QString path = m_saving.save(re1, documentname(), true);
    if (path.isEmpty())
        return;
    editmodified = false;
    setdocumentname(path);
}

QString TForm2::dialogfolder() const
{
    return m_saving.folderFor(documentname());
}
