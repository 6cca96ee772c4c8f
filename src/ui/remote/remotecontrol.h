#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QObject>

#include "core/settings/controllersettings.h"
#include "core/settings/midisettings.h"
#include "core/settings/remotesettings.h"

class ControllerRemote;
class MidiRemote;
class OscServer;
class RemoteOptions;
class PrompterRemote;
class RemoteServer;
class TForm4;

// Remote controls for the prompter: the control API's server over the prompter, started and
// stopped as the options window's group (TForm4::Remote) says, or for one run by --remote.
class RemoteControl : public QObject {
    Q_OBJECT
public:
    // `target`: the prompter as remote controls drive it; `tellOperator` says a passing line on
    // its status line (a controller plugged in or out).
    RemoteControl(PrompterRemote &target, TForm4 *options, std::function<void(const QString &)> tellOperator,
                  QObject *parent = nullptr);
    ~RemoteControl() override;

    // Starts, stops or moves the server as `settings` say; a port that cannot be had is
    // reported in a message.
    void apply(const RemoteSettings &settings);
    // On for this run, as the settings say otherwise (on `port`, OSC on the one after it, when
    // given), without keeping it.
    void enableForThisRun(std::optional<int> port = std::nullopt);
    const RemoteSettings &settings() const { return m_settings; }
    // The control API and OSC admit `token` too (see RemoteServer::alsoAccept).
    void alsoAccept(const QString &token);
    RemoteServer *server() const { return m_server.get(); }
    OscServer *oscServer() const { return m_osc.get(); }
    MidiRemote *midi() const { return m_midi.get(); }
    ControllerRemote *controllers() const { return m_controllers.get(); }
    // Opens the MIDI controls' window over the options window; what it keeps is applied at once.
    void editMidi();
    // The same for the hand controllers' window.
    void editControllers();
    // Its page of the options window.
    RemoteOptions *optionsGroup() const { return m_group; }
    // Where a browser reaches the phone remote; empty while nothing listens.
    QString address() const;

private:
    void optionsClosed(int result);
    void newToken();
    void showStatus();
    void applyMidi(const MidiSettings &settings);
    void applyControllers(const ControllerSettings &settings);

    TForm4 *m_options;
    RemoteOptions *m_group;
    PrompterRemote &m_target;
    std::unique_ptr<RemoteServer> m_server;
    std::unique_ptr<OscServer> m_osc;
    std::unique_ptr<MidiRemote> m_midi;
    std::unique_ptr<ControllerRemote> m_controllers;
    RemoteSettings m_settings;
    // What --remote or --port turned on for this run, which is not kept for the next.
    std::optional<RemoteSettings> m_forThisRun;
    QString m_listenFailure;
    QString m_oscFailure;
};
