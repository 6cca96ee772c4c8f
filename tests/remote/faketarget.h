#pragma once

#include <functional>
#include <utility>

#include <QList>

#include "core/remote/remotetarget.h"

// A prompter that only remembers what it was told: queue entries from 3 on do not exist, a speed
// set is told back in the state, and of its three paragraphs the first is locked. With
// answersLater, it answers as a standby does, when the test says (answerWaiting).
class FakeTarget : public RemoteTarget {
public:
    QString perform(const RemoteCommand &command) override
    {
        if (command.action == RemoteAction::OpenQueueEntry && command.value >= 3)
            return QStringLiteral("the queue has no entry %1").arg(command.value);
        commands << command;
        if (command.action == RemoteAction::SetSpeed)
            state.speed = command.value;
        return {};
    }
    void performAnswering(const RemoteCommand &command, const Answer &answer) override
    {
        const QString error = perform(command);
        if (answersLater)
            waiting << [answer, error] { answer(error); };
        else
            answer(error);
    }
    void answerWaiting()
    {
        for (const std::function<void()> &told : std::exchange(waiting, {}))
            told();
    }
    PrompterSnapshot snapshot() const override { return state; }
    ScriptParagraphs paragraphs() override { return {texts, locked}; }
    ParagraphEdit editParagraph(int index, const QString &text) override
    {
        if (index < 0 || index >= texts.size())
            return ParagraphEdit::NoSuchParagraph;
        if (index < locked)
            return ParagraphEdit::Locked;
        texts[index] = text;
        return ParagraphEdit::Done;
    }
    ScriptCopy script() const override
    {
        return {QStringLiteral("/news.txt"),     {QStringLiteral("Good evening<br>")}, 4, 0, edits,
                {QStringLiteral("Good evening")}};
    }

    QList<RemoteCommand> commands;
    PrompterSnapshot state;
    int edits = 0;
    // The script's paragraphs, the first `locked` of them read and locked.
    QStringList texts{QStringLiteral("Good evening."), QStringLiteral("The news."),
                      QStringLiteral("Goodnight.")};
    int locked = 1;
    bool answersLater = false;
    QList<std::function<void()>> waiting;
};
