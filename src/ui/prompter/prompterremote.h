#pragma once

#include <QObject>

#include "core/editlive/pageedit.h"
#include "core/remote/remotetarget.h"

class Browser;
class EditLive;
class PrompterCommands;
class PrompterView;

// The prompter as remote controls see it: each command is performed as the operator's key,
// toolbar image or menu entry for it is (PrompterCommands), and every change of the prompter's
// state or page is told to the listeners.
class PrompterRemote : public QObject, public RemoteTarget {
    Q_OBJECT
public:
    PrompterRemote(PrompterCommands &commands, const PrompterView &view, Browser &page,
                   QObject *parent = nullptr);

    // The script's paragraphs are read and edited live through `live`.
    void setLiveEditing(EditLive *live);
    // The page was changed in place otherwise (a story of the continuous page): the networked
    // displays make the same edit, numbered in one series with Edit Live's.
    void tellPageEdit(PageEdit edit);

    QString perform(const RemoteCommand &command) override;
    void performAnswering(const RemoteCommand &command, const Answer &answer) override;
    PrompterSnapshot snapshot() const override;
    ScriptCopy script() const override;
    ScriptParagraphs paragraphs() override;
    ParagraphEdit editParagraph(int index, const QString &text) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // Also when the page's width changes: its networked displays break their lines anew.
    void stateChanged();
    // The page was built anew: a new script, or the same one with other modes.
    void scriptChanged();
    // The page was edited in place: the networked displays make the same edit.
    void scriptEdited(const PageEdit &edit);
    // These paragraphs changed (as they are counted now); the script has `count` of them.
    void paragraphsChanged(const QList<int> &changed, int count);

private:
    PrompterCommands &m_commands;
    const PrompterView &m_view;
    Browser &m_page;
    EditLive *m_live = nullptr;
    int m_generation = 0;
    int m_otherEdits = 0; // edits told by tellPageEdit, counted on top of Edit Live's
};
