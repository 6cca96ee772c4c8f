#include "ui/remote/remotecontrol.h"

#include <QNetworkInterface>
#include <QTimer>

#include "core/controllers/controllerremote.h"
#include "ui/prompter/prompterremote.h"
#include "ui/options/controllersdialog.h"
#include "ui/options/midibindingsdialog.h"
#include "ui/remote/midiremote.h"
#include "ui/options/remoteoptions.h"
#include "ui/options/tform4.h"
#include "core/remote/accesstoken.h"
#include "core/remote/oscserver.h"
#include "core/remote/remoteserver.h"
#include "ui/settings/settingsgroup.h"
#include "core/settings/settingsstore.h"
#include "core/platform/translation.h"
#include "stringtable.h"
#include "ui/toolkit/dialogs.h"

namespace {

const QString settingsGroup = QStringLiteral("Remote");
const QString midiGroup = QStringLiteral("MIDI");
const QString controllersGroup = QStringLiteral("Controllers");

// The address other devices on the network reach this computer by: its first address on a
// network that is up, IPv4 first because phones type and scan it more easily.
QString networkAddress()
{
    QString fallback;
    for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
        if (address.isLoopback() || address.isLinkLocal())
            continue;
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address.toString();
        if (fallback.isEmpty())
            fallback = QLatin1Char('[') + address.toString() + QLatin1Char(']');
    }
    return fallback.isEmpty() ? QStringLiteral("127.0.0.1") : fallback;
}

} // namespace

RemoteControl::RemoteControl(PrompterRemote &target, TForm4 *options,
                             std::function<void(const QString &)> tellOperator, QObject *parent)
    : QObject(parent), m_options(options), m_target(target), m_server(std::make_unique<RemoteServer>(target)),
      m_osc(std::make_unique<OscServer>(target)), m_midi(std::make_unique<MidiRemote>(target)),
      m_controllers(std::make_unique<ControllerRemote>(target))
{
    m_group = new RemoteOptions;
    m_options->addFeaturePage(m_group, "remotepagebutton", str::RemoteControl);
    SettingsStore store;
    RemoteSettings stored;
    readremotesettings(store.settings(), stored);
    m_settings = stored;
    m_settings.enabled = false; // until apply() has opened the port
    connect(&m_target, &PrompterRemote::stateChanged, m_server.get(), &RemoteServer::stateChanged);
    connect(&m_target, &PrompterRemote::stateChanged, m_osc.get(), &OscServer::stateChanged);
    connect(&m_target, &PrompterRemote::scriptChanged, m_server.get(), &RemoteServer::scriptChanged);
    connect(&m_target, &PrompterRemote::scriptEdited, m_server.get(), &RemoteServer::scriptEdited);
    connect(&m_target, &PrompterRemote::paragraphsChanged, m_server.get(), &RemoteServer::paragraphsChanged);
    connect(m_options, &QDialog::finished, this, &RemoteControl::optionsClosed);
    connect(m_group, &RemoteOptions::newTokenWanted, this, &RemoteControl::newToken);
    connect(m_group, &RemoteOptions::midiWanted, this, &RemoteControl::editMidi);
    connect(m_group, &RemoteOptions::controllersWanted, this, &RemoteControl::editControllers);
    connect(m_midi.get(), &MidiRemote::notice, this, tellOperator);
    connect(m_controllers.get(), &ControllerRemote::notice, this, std::move(tellOperator));
    MidiSettings midi;
    readmidisettings(store.settings(), midi);
    ControllerSettings controllers;
    readcontrollersettings(store.settings(), controllers);
    m_group->showSettings(stored);
    showStatus();
    // From the event loop: a port that cannot be had is reported over the prompter, not before
    // it is there.
    QTimer::singleShot(0, this, [this, stored, midi, controllers] {
        if (!m_settings.enabled)
            apply(stored);
        applyMidi(midi);
        applyControllers(controllers);
    });
}

RemoteControl::~RemoteControl() = default;

void RemoteControl::apply(const RemoteSettings &settings)
{
    const bool restart = settings.enabled != m_settings.enabled || settings.port != m_settings.port ||
                         settings.allowNetwork != m_settings.allowNetwork ||
                         settings.token != m_settings.token || settings.oscPort != m_settings.oscPort ||
                         (settings.enabled && !m_server->isListening());
    m_settings = settings;
    m_group->showSettings(settings);
    if (restart) {
        m_server->stop();
        m_osc->stop();
        m_listenFailure.clear();
        m_oscFailure.clear();
        if (settings.enabled) {
            RemoteServerSettings server;
            server.port = quint16(settings.port);
            server.allowNetwork = settings.allowNetwork;
            server.token = settings.token;
            if (!m_server->start(server)) {
                m_listenFailure = m_server->errorString();
                Dialogs::current().message(i18n(str::RemoteCannotListen).arg(m_listenFailure));
            }
            // OSC has a port of its own: the control API works without it, and the other way round.
            const OscServerSettings osc{quint16(settings.oscPort), settings.allowNetwork, settings.token};
            if (!m_osc->start(osc)) {
                m_oscFailure = m_osc->errorString();
                Dialogs::current().message(i18n(str::RemoteOscCannotListen).arg(m_oscFailure));
            }
        }
    }
    showStatus();
}

void RemoteControl::enableForThisRun(std::optional<int> port)
{
    RemoteSettings settings = m_settings;
    settings.enabled = true;
    if (port) {
        settings.port = *port;
        settings.oscPort = *port + 1;
    }
    m_forThisRun = settings;
    apply(settings);
}

void RemoteControl::alsoAccept(const QString &token)
{
    m_server->alsoAccept(token);
    m_osc->alsoAccept(token);
}

QString RemoteControl::address() const
{
    if (!m_server->isListening())
        return {};
    if (!m_settings.allowNetwork)
        return QStringLiteral("http://127.0.0.1:%1/").arg(m_server->port());
    return QStringLiteral("http://%1:%2/?token=%3")
        .arg(networkAddress())
        .arg(m_server->port())
        .arg(m_settings.token);
}

void RemoteControl::showStatus()
{
    QString status = i18n(str::RemoteOff);
    if (!m_listenFailure.isEmpty())
        status = i18n(str::RemoteCannotListen).arg(m_listenFailure);
    else if (m_server->isListening())
        status = i18n(str::RemoteListening).arg(address());
    if (!m_oscFailure.isEmpty())
        status += QLatin1Char(' ') + i18n(str::RemoteOscCannotListen).arg(m_oscFailure);
    else if (m_osc->isListening())
        status += QLatin1Char(' ') + i18n(str::RemoteOscListening).arg(m_osc->port());
    m_group->setStatus(status, address());
}

void RemoteControl::optionsClosed(int result)
{
    if (result != QDialog::Accepted) {
        m_group->showSettings(m_settings);
        return;
    }
    const RemoteSettings chosen = m_group->values(m_settings);
    RemoteSettings kept = chosen;
    if (m_forThisRun) {
        // Confirming the window for anything else must not make this run's switch and ports
        // the next run's: they are kept only when the operator changed them here.
        SettingsStore store;
        RemoteSettings stored;
        readremotesettings(store.settings(), stored);
        if (chosen.enabled == m_forThisRun->enabled)
            kept.enabled = stored.enabled;
        if (chosen.port == m_forThisRun->port)
            kept.port = stored.port;
        if (chosen.oscPort == m_forThisRun->oscPort)
            kept.oscPort = stored.oscPort;
    }
    storeSettings(settingsGroup, [&kept](QSettings &settings) { writeremotesettings(settings, kept); });
    apply(chosen);
}

void RemoteControl::newToken()
{
    // Every device that had the old token is shut out at once, without waiting for Ok.
    RemoteSettings renewed = m_settings;
    renewed.token = generatetoken();
    // Only the token is kept: the rest of the group stays as the operator last confirmed it.
    SettingsStore store;
    RemoteSettings kept;
    readremotesettings(store.settings(), kept);
    kept.token = renewed.token;
    storeSettings(settingsGroup, [&kept](QSettings &settings) { writeremotesettings(settings, kept); });
    apply(renewed);
}

void RemoteControl::editMidi()
{
    MidiBindingsDialog dialog(m_midi.get(), m_options);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const MidiSettings chosen = dialog.values();
    storeSettings(midiGroup, [&chosen](QSettings &settings) { writemidisettings(settings, chosen); });
    applyMidi(chosen);
}

void RemoteControl::applyMidi(const MidiSettings &settings)
{
    if (!m_midi->apply(settings))
        Dialogs::current().message(m_midi->status());
}

void RemoteControl::editControllers()
{
    const ControllerSettings before = m_controllers->settings();
    ControllersDialog dialog(m_controllers.get(), m_options);
    if (dialog.exec() != QDialog::Accepted) {
        // Listening switched in the window is undone with it.
        if (m_controllers->settings().enabled != before.enabled)
            m_controllers->apply(before);
        return;
    }
    const ControllerSettings chosen = dialog.values();
    storeSettings(controllersGroup,
                  [&chosen](QSettings &settings) { writecontrollersettings(settings, chosen); });
    applyControllers(chosen);
}

void RemoteControl::applyControllers(const ControllerSettings &settings)
{
    // Game pads that cannot be read leave the other controllers working: said on the status line,
    // not in a message over the show.
    if (!m_controllers->apply(settings))
        m_controllers->notice(m_controllers->status());
}
