#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include "core/prompter/scriptposition.h"
#include "core/remote/remotecommand.h"
#include "core/standby/pendinganswers.h"
#include "core/standby/showmirror.h"
#include "core/settings/standbysettings.h"
#include "core/standby/takeoverwatch.h"
#include "ui/prompter/prompterview.h"

class FollowerLink;
struct LeaderScriptText;
class QAction;
class QLabel;
class ReadingAids;
class ScriptStage;
class ShowClocks;
class TakeCountdown;
class StandbyOptions;
class TalentDisplay;
class TalentMessage;
class TForm4;
struct LeaderScript;
struct PageEdit;
struct SpliceResult;

// A standby prompter (vantell --standby HOST): a whole prompter of its own that mirrors the
// prompter at HOST over its control API's WebSocket: the page the prompter shows, laid out at its
// width, kept where the prompter's page stands and moving as it moves on the prompter's clock,
// its speed, coarse step, run state and queue position told as this prompter's, its talent
// display opened, closed and blacked out as the prompter's, its mirror and rotation, reading aids,
// show clock and talent message set as the prompter's (here only: they stay after a takeover). Commands given
// here (keys, menu, remote controls) are passed on to the prompter and answered with its answer;
// one it does not answer within PendingAnswers::answerLimitMs, or before the line is lost or the
// show taken over, is answered that it did not. Heartbeats go every
// heartbeatMs; when the prompter has been silent longer than the takeover time, or when the
// operator says so (the menu, "take-over"), this prompter takes the show over: the page goes on
// from where the prompter's motion has brought it, at its rate, and this prompter's own engine
// and controls act from then on. The status line tells whose standby it is and how far behind,
// or when it took over.
//
// No two prompters lead: the one that took over keeps calling at the old prompter's address, and
// a prompter that answers there (the old one come back, or started again) is told that the show
// is led here; told so, a prompter becomes the standby of the one that told it. It never takes
// the show back by itself.
class Standby : public QObject {
    Q_OBJECT
public:
    static constexpr int heartbeatMs = 100;
    // How often the page is asked where it stands, to tell how far it is from the prompter's.
    static constexpr int measureIntervalMs = 250;
    // How far, in pixels of the script, the page may stand from the prompter's before it is put
    // back: the prompter reports whole pixels.
    static constexpr double placeTolerance = 2.0;

    Standby(const PrompterParts &parts, ScriptStage &stage, TalentDisplay &talent, ReadingAids &aids,
            TalentMessage &message, ShowClocks &clocks, TakeCountdown &countdown, QObject *parent = nullptr);
    ~Standby() override;

    // Mirrors the prompter whose control API is at `prompter` (as leaderaddress() gives it); this
    // prompter's own control API is on `ownPort`.
    void standBy(const QUrl &prompter, quint16 ownPort);
    // A prompter that took the show over from this one leads it now, its control API on `port`
    // of `host` (asking for `token`): this prompter becomes its standby. A standby stays with
    // its own prompter.
    void ledBy(const QString &host, quint16 port, const QString &token, quint16 ownPort);
    bool isStandby() const { return m_standby; }
    // The token this prompter showed its prompter (empty for none).
    QString prompterToken() const;
    // Adds the standby's page to the options window, and takes what it keeps.
    void attachOptions(TForm4 &options);
    QAction *menuEntry() const { return m_menuEntry; }

signals:
    // This prompter stands by for another (true), or leads the show (false): a standby leaves
    // the newsroom's connection to the prompter it stands by for.
    void standingByChanged(bool standingBy);

private:
    struct Takeover {
        double at = 0; // milliseconds since the epoch
        qint64 silentMs = 0;
        bool byHand = false;
        std::optional<double> positionError; // pixels of the script, once measured
    };

    QString takeOver(bool byHand);
    // After a takeover the script is this prompter's: its text as the prompter held it, its file
    // kept only where this computer has it.
    void holdScript();
    void showScript(const LeaderScript &script);
    // The prompter's page was edited in place (Edit Live, the newsroom): the same edit here, the
    // reader's line held; an edit missed, or one the page does not take, brings the whole page.
    void editScript(const PageEdit &edit);
    void editSpliced(const PageEdit &edit, const SpliceResult &result);
    void follow(const PrompterSnapshot &state);
    // The prompter's display modes, reading aids and talent message, set on this prompter alone.
    void showAsPrompter(const PrompterSnapshot &state);
    void performHere(RemoteAction action, bool on);
    void pageLoaded();
    void place();
    void measure();
    void measureTakeover();
    // After a takeover: a prompter that answers at the old prompter's address again (come back,
    // or started anew) is told that the show is led here.
    void watchOldPrompter();
    void check();
    // Passes a command given here on to the prompter; its answer comes later (m_answers).
    bool relay(const RemoteCommand &command, const std::function<void(const QString &)> &answer);
    // What a command passed on and not answered is told.
    QString noAnswer() const;
    void describe(PrompterSnapshot &state) const;
    void showStatus();
    QString prompterName() const { return m_prompterAddress.authority(); }
    ScriptPage pageNow() const;

    PrompterParts m_parts;
    ScriptStage &m_stage;
    TalentDisplay &m_talent;
    ReadingAids &m_aids;
    TalentMessage &m_message;
    ShowClocks &m_clocks;
    TakeCountdown &m_countdown;
    QAction *m_menuEntry;
    QLabel *m_status;
    std::unique_ptr<FollowerLink> m_link;
    std::unique_ptr<FollowerLink> m_oldPrompter;
    bool m_oldPrompterTold = false;
    quint16 m_ownPort = 0;
    bool m_stateTold = false; // the standby's part of the state is added
    QUrl m_prompterAddress;
    bool m_standby = false;
    QString m_problem; // why the prompter cannot be reached
    ShowMirror m_mirror;
    StandbySettings m_settings;
    StandbyOptions *m_group = nullptr;
    TakeoverWatch m_watch;
    QElapsedTimer m_clock;
    QTimer m_checks;
    QTimer m_measures;
    QTimer m_statusTimer;
    QStringList m_shownLines;
    std::unique_ptr<LeaderScriptText> m_scriptText; // the prompter's script, as it last told it
    int m_edits = 0;                                // the serial of the prompter's last edit the page holds
    bool m_loading = false;                         // the prompter's page is being loaded here
    bool m_pageShown = false;                       // and stands
    std::optional<ScriptMotion> m_placed;
    double m_error = 0;
    std::optional<Takeover> m_takeover;
    bool m_performingHere = false; // a command that mirrors the prompter is not passed back to it
    PendingAnswers m_answers;
};
