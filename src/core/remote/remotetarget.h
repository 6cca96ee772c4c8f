#pragma once

#include <functional>

#include <QString>
#include <QStringList>

#include "core/remote/promptersnapshot.h"
#include "core/remote/remotecommand.h"

// The script as a networked display needs it: the lines of the page it shows, the width its
// lines are broken at, and a number that changes whenever the page is built anew.
struct ScriptCopy {
    QString path;
    QStringList pagelines;
    int generation = 0;
    int layoutWidth = 0;
    int edits = 0; // the serial of the last edit made in place that `pagelines` hold (PageEdit::serial)
    // The script's own lines, which a standby needs to carry the show on: as written, or markup.
    QStringList scriptlines = {};
    bool markup = false;
};

// The script's paragraphs as a director's tablet edits them: their plain text in order, and how
// many from the first are locked (passed by the reader while "Lock what was read" is on).
struct ScriptParagraphs {
    QStringList texts;
    int locked = 0;
};

// What became of an edit of a paragraph.
enum class ParagraphEdit { Done, NoSuchParagraph, Locked };

// What remote controls drive: the prompter, or a stand-in in tests.
class RemoteTarget {
public:
    virtual ~RemoteTarget() = default;
    // Carries the command out; an error text for the peer when it cannot (no such queue entry,
    // a script that does not load), else empty.
    virtual QString perform(const RemoteCommand &command) = 0;
    // The same, with its answer told to `answer`: at once, or, for a command passed on to
    // another prompter (a standby's), when that one answers. Remote controls that reply to their
    // sender perform through this.
    using Answer = std::function<void(const QString &error)>;
    virtual void performAnswering(const RemoteCommand &command, const Answer &answer)
    {
        answer(perform(command));
    }
    virtual PrompterSnapshot snapshot() const = 0;
    virtual ScriptCopy script() const = 0;
    virtual ScriptParagraphs paragraphs() = 0;
    // Puts `text` in place of paragraph `index`, which keeps the format of its first character;
    // refused, changing nothing, for a paragraph that does not exist or is locked.
    virtual ParagraphEdit editParagraph(int index, const QString &text) = 0;
};
