#include "ui/editor/scriptsaving.h"

#include <QDir>
#include <QFileInfo>
#include <QTextDocument>
#include <QTextEdit>

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

QString ScriptSaving::save(QTextEdit *text, const QString &name, bool askName)
{
    if (text->document()->isEmpty()) {
        Dialogs::current().message(i18n(str::NothingToSave));
        return QString();
    }
    // Only the lower-case extension names a rich script that is written back directly.
    if (!askName && !name.isEmpty() && extensionOf(name) == QLatin1String(".vnr")) {
        saverichfile(text, name);
        Dialogs::current().message(i18n(str::ScriptSaved));
        return name;
    }
    const QString path = askForVnrName(name);
    if (!path.isEmpty())
        saverichfile(text, path);
    return path;
}

QString ScriptSaving::askForVnrName(const QString &name)
{
    m_dialog.filter = i18n(str::VantellFilesFilter);
    m_dialog.defaultSuffix = QStringLiteral("vnr");
    // A script opened from a document is proposed as a .vnr of its own, never as the document.
    m_dialog.fileName = vnrname(name);
    m_dialog.directory = folderFor(name);
    const FileChoice choice = Dialogs::current().saveFile(m_dialog);
    if (!choice.accepted())
        return QString();
    // The operator may still pick a document, a text or any other file: it would be lost.
    if (replacesotherfile(choice.path) &&
        !Dialogs::current().question(i18n(str::ReplacesOtherFile).arg(QFileInfo(choice.path).fileName()),
                                     i18n(str::Warning), Dialogs::Icon::Warning, Dialogs::Answer::No))
        return QString();
    m_dialog.fileName = choice.path;
    m_lastFolder = QFileInfo(choice.path).absolutePath();
    return choice.path;
}

QString ScriptSaving::folderFor(const QString &name) const
{
    const QFileInfo document(name);
    if (document.isAbsolute() && document.dir().exists())
        return document.absolutePath();
    return m_lastFolder;
}
