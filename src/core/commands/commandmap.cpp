#include "core/commands/commandmap.h"

#include <QKeySequence>

namespace {

using Argument = RemoteArgument;
using Action = RemoteAction;

constexpr int maxJumpLines = 1000000;
constexpr int maxPixels = 100000000;
constexpr int maxIndex = 1000000;

CommandBinding command(const char *name, Action action)
{
    CommandBinding binding;
    binding.name = name;
    binding.action = action;
    return binding;
}

// Builder steps, so that each row of the table reads as what it binds.
CommandBinding numbered(CommandBinding binding, int minimum, int maximum)
{
    binding.argument = Argument::Number;
    binding.minimum = minimum;
    binding.maximum = maximum;
    return binding;
}
CommandBinding takes(CommandBinding binding, Argument argument)
{
    binding.argument = argument;
    return binding;
}
CommandBinding key(CommandBinding binding, int key, const char *help)
{
    binding.key = key;
    binding.help = help;
    return binding;
}
CommandBinding clicker(CommandBinding binding, int key, const char *help)
{
    binding.clickerKey = key;
    if (!binding.help)
        binding.help = help;
    return binding;
}
CommandBinding image(CommandBinding binding, const char *name)
{
    binding.toolImage = name;
    return binding;
}
CommandBinding menu(CommandBinding binding, const char *name)
{
    binding.menuEntry = name;
    return binding;
}
CommandBinding click(CommandBinding binding, Qt::MouseButton button)
{
    binding.mouseButton = button;
    return binding;
}
CommandBinding local(CommandBinding binding)
{
    binding.remote = false;
    return binding;
}
CommandBinding keepsVoice(CommandBinding binding)
{
    binding.keepsVoiceFollowing = true;
    return binding;
}

QList<CommandBinding> table()
{
    return {
        image(key(command("speed-up", Action::SpeedUp), Qt::Key_W, "Increase the speed by 10 (up to 300)."),
              "Image4"),
        image(key(command("speed-down", Action::SpeedDown), Qt::Key_S,
                  "Decrease the speed by 10 (down to &minus;300; below 0 the text runs backward)."),
              "Image12"),
        numbered(command("speed", Action::SetSpeed), -300, 300),
        image(key(command("coarse-up", Action::CoarseUp), Qt::Key_Plus,
                  "Coarse step + 1 (up to 10), as <b>Coarse Faster</b>."),
              "Image10"),
        image(key(command("coarse-down", Action::CoarseDown), Qt::Key_Minus,
                  "Coarse step &minus; 1 (down to 1), as <b>Coarse Slower</b>."),
              "Image11"),
        numbered(command("coarse", Action::SetCoarse), 1, 10),
        clicker(
            command("pause", Action::Pause), Qt::Key_Escape,
            "Stop the page. Elsewhere in the window <kbd>Escape</kbd> brings the focus back to the page."),
        clicker(command("resume", Action::Resume), Qt::Key_F5, "Start the page at the present speed."),
        click(image(key(command("toggle-pause", Action::TogglePause), Qt::Key_Q,
                        "Pause, or resume at the present speed."),
                    "Image9"),
              Qt::LeftButton),
        click(image(key(command("reverse", Action::Reverse), Qt::Key_E,
                        "Reverse the direction: the speed changes its sign."),
                    "Image8"),
              Qt::RightButton),
        image(key(command("reset", Action::Reset), Qt::Key_F,
                  "Reset: back to the start of the script, paused. The speed is kept."),
              "Image7"),
        clicker(image(key(command("next-script", Action::NextScript), Qt::Key_D,
                          "Load the next script of the queue."),
                      "Image5"),
                Qt::Key_PageDown, nullptr),
        clicker(image(key(command("previous-script", Action::PreviousScript), Qt::Key_A,
                          "Load the previous script of the queue."),
                      "Image6"),
                Qt::Key_PageUp, nullptr),
        numbered(command("queue-entry", Action::OpenQueueEntry), 0, maxIndex),
        keepsVoice(image(key(takes(command("mirror", Action::Mirror), Argument::Switch), Qt::Key_F3,
                             "Mirror the page, or back, as <b>Toggle Mirror Text</b>."),
                         "Image2")),
        keepsVoice(image(key(takes(command("rotate", Action::Rotate), Argument::Switch), Qt::Key_F2,
                             "Turn the page upside down, or back, as <b>Toggle Rotate Text</b>."),
                         "Image14")),
        keepsVoice(image(key(takes(command("dual-display", Action::DualDisplay), Argument::Switch),
                             Qt::Key_F4, "Open or close the talent display, as <b>Toggle Dual Display</b>."),
                         "Image3")),
        keepsVoice(clicker(takes(command("blackout", Action::Blackout), Argument::Switch), Qt::Key_Period,
                           "Black out the <a href=\"display.html\">talent display</a>, or show it again; the "
                           "page goes on beneath and the prompter's own page stays as it is.")),
        numbered(command("jump-lines", Action::JumpLines), -maxJumpLines, maxJumpLines),
        numbered(command("jump-pixels", Action::JumpPixels), -maxPixels, maxPixels),
        numbered(command("position", Action::SetPosition), 0, maxPixels),
        takes(command("script", Action::LoadScript), Argument::Script),
        menu(key(command("next-marker", Action::NextMarker), Qt::Key_F7,
                 "Jump to the next marker (a script line that starts with <code>##</code>); the page glides "
                 "there and keeps its speed."),
             "NextMarker1"),
        menu(key(command("previous-marker", Action::PreviousMarker), Qt::Key_F6,
                 "Jump to the previous marker; the page glides there and keeps its speed."),
             "PreviousMarker1"),
        numbered(command("marker", Action::JumpToMarker), 0, maxIndex),
        keepsVoice(command("show-clock-start", Action::StartShowClock)),
        keepsVoice(command("show-clock-stop", Action::StopShowClock)),
        keepsVoice(menu(
            key(command("show-clock-reset", Action::ResetShowClock), Qt::Key_Delete, "Reset the show clock."),
            "ShowClockReset1")),
        keepsVoice(takes(command("talent-message", Action::TalentMessage), Argument::Text)),
        keepsVoice(
            menu(key(takes(command("voice-following", Action::VoiceFollowing), Argument::Switch), Qt::Key_V,
                     "<a href=\"voice.html\">Voice following</a> on or off. While it is on, every "
                     "other key that moves the page takes it over from it."),
                 "VoiceFollowing1")),
        menu(key(command("forward-lines", Action::ForwardLines), Qt::Key_F11,
                 "Jump forward by the lines set in the options (5 unless changed)."),
             "ForwardLines1"),
        menu(key(command("back-lines", Action::BackLines), Qt::Key_F9,
                 "Jump back by the lines set in the options (5 unless changed)."),
             "BackLines1"),
        keepsVoice(menu(key(takes(command("show-clock", Action::ShowClock), Argument::Switch), Qt::Key_Insert,
                            "Start or stop the show clock."),
                        "ShowClockRun1")),
        keepsVoice(menu(key(takes(command("reading-line", Action::ReadingLine), Argument::Switch),
                            Qt::Key_F12, "Show or hide the reading line on the prompter."),
                        "CueOnPrompter1")),
        menu(key(takes(command("continuous", Action::Continuous), Argument::Switch), Qt::Key_C,
                 "The queue as one <a href=\"rundown.html\">continuous page</a>, story after story, or "
                 "back to one script at a time. While it is on, the keys of the next and the previous script "
                 "glide to the next and the previous story instead."),
             "ContinuousQueue1"),
        menu(command("next-story", Action::NextStory), "NextStory1"),
        menu(command("previous-story", Action::PreviousStory), "PreviousStory1"),
        numbered(command("story", Action::JumpToStory), 0, maxIndex),
        menu(key(command("prompt-from-here", Action::PromptFromHere), Qt::Key_H,
                 "Prompt from here: the story at the reading line goes on air, and the page glides "
                 "back to its banner."),
             "PromptFromHere1"),
        keepsVoice(takes(command("show-end", Action::ShowEnd), Argument::Time)),
        keepsVoice(menu(command("take-over", Action::TakeOver), "TakeOver1")),
        local(key(command("marker-list", Action::MarkerList), Qt::Key_F8,
                  "Pick a marker by its name from a list.")),
        local(keepsVoice(image(key(command("help", Action::Help), Qt::Key_F1,
                                   "Show these help pages, or the script again, as <b>Toggle Help</b>."),
                               "Image13"))),
        local(keepsVoice(menu(command("open-script", Action::OpenScript), "OpenSimplescript1"))),
        local(keepsVoice(menu(command("font", Action::Font), "Font2"))),
        local(keepsVoice(menu(command("options", Action::Options), "Options2"))),
        local(keepsVoice(menu(command("quick-edit", Action::QuickEdit), "EditScript2"))),
        local(keepsVoice(
            menu(key(command("edit-live", Action::EditLive), Qt::Key_F10,
                     "Open <a href=\"menu.html#editlive\">Edit Live</a>: correct the script while it "
                     "scrolls, the reader's line held where it is."),
                 "EditLive1"))),
        local(keepsVoice(menu(command("print", Action::Print), "PrintScript2"))),
        local(keepsVoice(menu(command("status-bar", Action::StatusBar), "Showstatusbar1"))),
        local(keepsVoice(menu(command("about", Action::About), "About1"))),
        local(keepsVoice(menu(command("exit", Action::Exit), "Exit1"))),
        local(keepsVoice(menu(command("talent-message-prompt", Action::AskTalentMessage), "TalentMessage1"))),
        local(keepsVoice(
            menu(command("talent-message-clear", Action::ClearTalentMessage), "ClearTalentMessage1"))),
    };
}

template <typename Match> const CommandBinding *find(Match match)
{
    for (const CommandBinding &binding : commandbindings())
        if (match(binding))
            return &binding;
    return nullptr;
}

QString row(const QString &keys, const char *help)
{
    return QStringLiteral("<tr><td>%1</td><td>%2</td></tr>\n").arg(keys, QLatin1String(help));
}

} // namespace

const QList<CommandBinding> &commandbindings()
{
    static const QList<CommandBinding> bindings = table();
    return bindings;
}

const CommandBinding *commandnamed(const QString &name)
{
    return find([&name](const CommandBinding &binding) { return name == QLatin1String(binding.name); });
}

const CommandBinding &commandfor(RemoteAction action)
{
    // Every action has its row: the table is complete by construction (tested).
    return *find([action](const CommandBinding &binding) { return binding.action == action; });
}

const CommandBinding *commandforkey(int key)
{
    return key == 0 ? nullptr : find([key](const CommandBinding &binding) { return binding.key == key; });
}

const CommandBinding *commandforclicker(int key)
{
    return key == 0 ? nullptr
                    : find([key](const CommandBinding &binding) { return binding.clickerKey == key; });
}

const CommandBinding *commandforclick(int mouseButton)
{
    return mouseButton == 0 ? nullptr : find([mouseButton](const CommandBinding &binding) {
        return binding.mouseButton == mouseButton;
    });
}

bool changesspeed(RemoteAction action)
{
    return action == RemoteAction::SpeedUp || action == RemoteAction::SpeedDown ||
           action == RemoteAction::Reverse;
}

QString keyname(int key)
{
    switch (key) {
    case Qt::Key_Minus:
        return QStringLiteral("&minus;");
    case Qt::Key_Insert:
        return QStringLiteral("Insert");
    case Qt::Key_Delete:
        return QStringLiteral("Delete");
    case Qt::Key_PageUp:
        return QStringLiteral("Page Up");
    case Qt::Key_PageDown:
        return QStringLiteral("Page Down");
    case Qt::Key_Escape:
        return QStringLiteral("Escape");
    default:
        return QKeySequence(key).toString(QKeySequence::PortableText);
    }
}

QString keytablerows()
{
    QString rows;
    for (const CommandBinding &binding : commandbindings())
        if (binding.key != 0)
            rows += row(QStringLiteral("<kbd>%1</kbd>").arg(keyname(binding.key)), binding.help);
    return rows;
}

QString clickertablerows()
{
    QString rows;
    for (const CommandBinding &binding : commandbindings()) {
        if (binding.clickerKey == 0)
            continue;
        // A clicker's button that does what a key of the prompter does says which.
        const QString help =
            binding.key != 0 ? QStringLiteral("%1, as <kbd>%2</kbd>.")
                                   .arg(QString::fromLatin1(binding.help).chopped(1), keyname(binding.key))
                             : QString::fromLatin1(binding.help);
        rows += QStringLiteral("<tr><td><kbd>%1</kbd></td><td>%2</td></tr>\n")
                    .arg(keyname(binding.clickerKey), help);
    }
    return rows;
}
