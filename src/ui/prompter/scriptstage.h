#pragma once

#include <functional>

#include <QHash>
#include <QStringList>

#include "core/prompter/promptstate.h"

class RundownStage;

// The prompter as a source of scripts other than files (the newsroom's running order) uses it:
// a script shown or changed in place, its name, and the queue's entries that are not files.
class ScriptStage {
public:
    virtual ~ScriptStage() = default;
    virtual const PromptState &state() const = 0;
    // Whether the lines to be shown are markup (escaped already) or text as written; either way
    // they are the script, and the rich document of a file shown before is not.
    virtual void setScriptText(ScriptText kind) = 0;
    // Shows `lines` as the script named `name`, from its start and paused.
    virtual void showscript(const QStringList &lines, const QString &name) = 0;
    // Puts `lines` in place of the script shown, keeping the paragraph being read where it is;
    // `done` runs once the page has them.
    virtual void updatescript(const QStringList &lines, const QHash<int, int> &replacedBy,
                              std::function<void()> done = {}) = 0;
    // The script shown goes by another name now.
    virtual void renameScript(const QString &name) = 0;
    // Loads entries of the queue that are not script files: `loader` returns true when it has
    // loaded the entry itself. None: every entry is a script file.
    virtual void setQueueEntryLoader(std::function<bool(int index)> loader) = 0;
    // The queue's entries as the options window lists them.
    virtual QStringList queueEntries() const = 0;
    // The queue's entry the prompter stands at, without loading it.
    virtual void setQueuePosition(int index) = 0;
    // Loads the queue's entry `index` and stands there; an error is shown to the operator.
    virtual void openQueueEntry(int index) = 0;
    // Tells the operator something on the status line for a while, the line's own text coming
    // back after.
    virtual void tellOperator(const QString &notice) = 0;
    // The queue as one continuous page (the rundown).
    virtual RundownStage &rundown() = 0;

    // Puts the page of `lines` in place of the page shown as `change` puts it there (it gets the
    // page's lines and what to run once the page has them, and says whether it could), leaving
    // the displays where they are; with no script page standing to change, or when `change`
    // cannot, the page is loaded anew. `done` runs once the page has the script.
    using PageChange = std::function<bool(const QStringList &page, std::function<void()> changed)>;
    virtual void changescript(const QStringList &lines, const PageChange &change,
                              std::function<void()> done = {}) = 0;
};
