#pragma once

#include <optional>

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

// Every operator command; remote controls may send those the command map marks as theirs
// (core/commands/commandmap.h).
enum class RemoteAction {
    SpeedUp,
    SpeedDown,
    SetSpeed,
    CoarseUp,
    CoarseDown,
    SetCoarse,
    Pause,
    Resume,
    TogglePause,
    Reverse,
    Reset,
    NextScript,
    PreviousScript,
    OpenQueueEntry,
    Mirror,
    Rotate,
    DualDisplay,
    Blackout,
    JumpLines,
    JumpPixels,
    SetPosition,
    LoadScript,
    NextMarker,
    PreviousMarker,
    JumpToMarker,
    StartShowClock,
    StopShowClock,
    ResetShowClock,
    TalentMessage,
    VoiceFollowing,
    ForwardLines, // by the lines the options set
    BackLines,
    ShowClock,   // a switch: start, stop, or start or stop
    ReadingLine, // a switch: the reading line on the prompter's page
    Continuous,  // a switch: the queue as one continuous page
    NextStory,
    PreviousStory,
    JumpToStory,    // story N of the continuous page, from 0
    PromptFromHere, // the story at the reading line goes on air from its start
    ShowEnd,        // the show's planned end, a time of day ("": none)
    TakeOver,       // a standby takes the show over from its prompter
    // The operator's own commands, which remote controls cannot send.
    MarkerList,
    Help,
    OpenScript,
    Font,
    Options,
    QuickEdit,
    EditLive,
    Print,
    StatusBar,
    About,
    Exit,
    AskTalentMessage,
    ClearTalentMessage,
};

// What a command takes as its value.
enum class RemoteArgument {
    None,   // nothing
    Number, // a whole number within the command's range
    Switch, // true, false, or nothing to switch it over
    Script, // a script's name and text
    Text,   // a line of text
    Time,   // a time of day, "HH:MM:SS", or an empty text for none
};

struct RemoteCommand {
    RemoteAction action = RemoteAction::Pause;
    int value = 0;          // the number the command carries
    std::optional<bool> on; // for the switches (mirror, rotate, ...): set it, rather than flip it
    QString name;           // LoadScript: the script's name
    QString text;           // LoadScript: its text; TalentMessage: the message (empty: dismiss it);
                            // ShowEnd: the time, "HH:MM:SS" (empty: none)

    bool operator==(const RemoteCommand &) const = default;
};

// A command, or why there is none: a text for the peer that sent it.
struct ParsedCommand {
    std::optional<RemoteCommand> command;
    QString error;
};

// The longest message for the talent.
constexpr qsizetype maxTalentMessageLength = 500;

// The largest script text a remote control may send.
constexpr qsizetype maxRemoteScriptBytes = 20 * 1024 * 1024;

// The command named `name` with its argument (Undefined when there is none). Every argument is
// checked: its type, whole numbers where numbers are asked for, and its range.
ParsedCommand remotecommand(const QString &name, const QJsonValue &argument);

// A command message as JSON: {"command": NAME, "value": ARGUMENT}; a script comes as
// {"command": "script", "name": NAME, "text": TEXT}.
ParsedCommand parsecommandmessage(const QByteArray &json);

// The command as a command message that parsecommandmessage reads back as the same command: a
// standby passes its operator's commands on to its prompter so.
QJsonObject commandmessage(const RemoteCommand &command);

// What the command named `name` takes; nothing for a name that is no command.
std::optional<RemoteArgument> remotecommandargument(const QString &name);

// The names of all commands remote controls may send, as the peers spell them.
QStringList remotecommandnames();
