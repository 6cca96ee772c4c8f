#pragma once

#include <QString>

class QSettings;

// How remote controls reach the prompter, kept under the group "Remote". Off until the operator
// turns it on; with the network allowed, every request must show the token.
struct RemoteSettings {
    static constexpr int defaultPort = 7755;
    static constexpr int defaultOscPort = 7756;

    bool enabled = false;         // "Enabled"
    int port = defaultPort;       // "Port"
    bool allowNetwork = false;    // "AllowNetwork": listen on every network, not on this computer alone
    QString token;                // "Token": made once, kept until the operator asks for a new one
    int oscPort = defaultOscPort; // "OscPort": the control API over OSC (UDP), while it listens

    bool operator==(const RemoteSettings &other) const = default;
};

void writeremotesettings(QSettings &settings, const RemoteSettings &values);
// Reads the group over `values`; a value that is missing or cannot be read (a port outside
// 1..65535, a token that is too short to be a secret) leaves the one in `values`. A token is
// made when none can be read, so that allowing the network never leaves the door open.
void readremotesettings(QSettings &settings, RemoteSettings &values);
