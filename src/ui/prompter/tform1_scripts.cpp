// Loading scripts into the prompter: one chosen in the open dialog, or an entry of the queue.
#include <QFileInfo>
#include <QLabel>
#include <QTextEdit>

#include "ui/browser/browser.h"
#include "core/platform/filefilter.h"
#include "core/platform/textfile.h"
#include "core/platform/translation.h"
#include "ui/faults/scriptfilefollowing.h"
#include "ui/prompter/tform1.h"
#include "ui/rundown/rundown.h"
#include "ui/options/tform4.h"
#include "core/render/droppedfiles.h"
#include "core/render/richfile.h"
#include "core/render/scriptloader.h"
#include "stringtable.h"
#include "ui/toolkit/dialogs.h"
#include "ui/toolkit/filedrop.h"
#include "ui/toolkit/statusnotice.h"

void TForm1::OpenSimplescript1Click()
{
    FileDialogRequest request;
    request.filter = scriptfilter();
    const FileChoice choice = Dialogs::current().openFile(request);
    if (!choice.accepted())
        return;
    reportingErrors([this, &choice] { openscript(choice.path); });
}

void TForm1::createScriptDrop()
{
    // A file dropped on the window opens as one chosen in the open dialog would; of several files,
    // the first.
    new FileDrop(this, droppedfiles, [this](const QStringList &files) {
        reportingErrors([this, &files] { openscript(files.first()); });
    });
}

void TForm1::openscript(const QString &path)
{
    promptstate.richscript = false;
    loadscript(QFileInfo(path).absoluteFilePath(), true);
}

bool TForm1::loadscript(const QString &path, bool plainTextResetsFont)
{
    const std::optional<QStringList> lines = readscript(path, plainTextResetsFont);
    if (!lines)
        return false;
    showscript(*lines, path);
    return true;
}

std::optional<QStringList> TForm1::readscript(const QString &path, bool plainTextResetsFont)
{
    // Everything is read before anything changes, so a file that cannot be read leaves the
    // script, the page and the display font as they were.
    QStringList lines;
    switch (scriptkind(path)) {
    case ScriptKind::RichText:
        loadrichfile(myrichedit, path);
        lines = plainlines(myrichedit);
        markheadings(myrichedit->document(), lines);
        promptstate.scripttext = ScriptText::Plain;
        break;
    case ScriptKind::Vantell:
    case ScriptKind::Document:
        loadrichfile(myrichedit, path);
        rtftohtm.RichToHtmlLines(myrichedit, lines);
        choploader(lines);
        promptstate.richscript = true;
        promptstate.scripttext = ScriptText::Markup;
        break;
    case ScriptKind::Text:
        lines = readtextlines(path);
        promptstate.scripttext = ScriptText::Plain;
        if (plainTextResetsFont) {
            displayfont.name = QStringLiteral("Arial");
            displayfont.size = 24;
            displayfont.color = Qt::white;
        }
        break;
    case ScriptKind::Unrecognized:
        Dialogs::current().message(i18n(str::UnrecognizedFileFormat));
        return std::nullopt;
    }
    return lines;
}

void TForm1::showscript(const QStringList &lines, const QString &name)
{
    promptstate.scriptlines = lines;
    promptstate.scriptpath = name;
    // A new script starts at its start, even while the old one was being loaded again.
    m_reloadShare.reset();
    m_fileFollowing->follow(name);
    Label4->setText(name);
    reloadwb();
    dopause();
    wb1->focusPage();
}

void TForm1::nextscript()
{
    // A continuous queue glides to the next story instead.
    if (m_rundown->showsContinuous()) {
        m_rundown->nextStory();
        return;
    }
    const int count = queueEntries().size();
    if (count == 0 || promptstate.queuepos == count - 1)
        return;
    ++promptstate.queuepos;
    reportingErrors([this] { loadqueueentry(promptstate.queuepos); });
}

void TForm1::prevscript()
{
    if (m_rundown->showsContinuous()) {
        m_rundown->previousStory();
        return;
    }
    if (queueEntries().isEmpty() || promptstate.queuepos == 0)
        return;
    --promptstate.queuepos;
    reportingErrors([this] { loadqueueentry(promptstate.queuepos); });
}

QStringList TForm1::queueEntries() const
{
    return m_options ? m_options->queue() : QStringList();
}

RundownStage &TForm1::rundown()
{
    return *m_rundown;
}

void TForm1::openQueueEntry(int index)
{
    promptstate.queuepos = index;
    reportingErrors([this, index] { loadqueueentry(index); });
}

void TForm1::tellOperator(const QString &notice)
{
    m_notice->show(notice);
}

void TForm1::renameScript(const QString &name)
{
    promptstate.scriptpath = name;
    Label4->setText(name);
}

void TForm1::setQueueEntryLoader(std::function<bool(int index)> loader)
{
    m_queueEntryLoader = std::move(loader);
}

void TForm1::reloadChangedScript(const QStringList &lines, double share)
{
    m_reloadShare = share;
    promptstate.scriptlines = lines;
    reloadwb();
}

void TForm1::loadqueueentry(int index)
{
    const QStringList entries = queueEntries();
    if (index < 0 || index >= entries.size()) {
        Dialogs::current().message(i18n(str::ListIndexOutOfBounds).arg(index));
        return;
    }
    // A continuous queue shows the entry on its page.
    if (m_rundown->showEntry(index))
        return;
    promptstate.richscript = false;
    if (m_queueEntryLoader && m_queueEntryLoader(index))
        return;
    loadscript(entries.at(index), false);
}

void TForm1::reportingErrors(const std::function<void()> &action)
{
    try {
        action();
    } catch (const std::exception &error) {
        ApplicationEvents1Exception(QString::fromUtf8(error.what()));
    }
}
