#pragma once

#include <QString>

class QSettings;

// How the prompter meets the newsroom system, kept under the group "Newsroom". Off until the
// operator turns it on: a program that opens ports of its own accord is not a good neighbour.
struct NewsroomSettings {
    static constexpr int defaultLowerPort = 10540;
    static constexpr int defaultUpperPort = 10541;

    bool enabled = false;                         // "Enabled"
    int lowerPort = defaultLowerPort;             // "LowerPort"
    int upperPort = defaultUpperPort;             // "UpperPort"
    QString deviceId = QStringLiteral("VANTELL"); // "DeviceID": the name the newsroom knows this prompter by
    bool hideInstructions = false;                // "HideInstructions": hidden instead of dimmed
    // "ListenAddress": the one address to listen on (e.g. 127.0.0.1); empty: every address of the
    // machine, as the newsroom network needs. Kept in the file only, for tests and locked-down sites.
    QString listenAddress;
    // "NcsID": the newsroom system's own ID; messages from any other are refused. Empty: any
    // newsroom system, as before the setting was there.
    QString ncsId;
    // "AllowedAddresses": the addresses newsroom systems may connect from, separated by commas;
    // empty: every address.
    QString allowedAddresses;
    // "NcsPort": the newsroom system's own port, where the prompter asks for the running orders
    // again after a restart or a lost connection (the protocol's lower port on the newsroom's
    // side). Kept in the file only: the protocol's number serves every site that keeps to it.
    int ncsPort = defaultLowerPort;

    bool operator==(const NewsroomSettings &other) const = default;
};

void writenewsroomsettings(QSettings &settings, const NewsroomSettings &values);
// Reads the group over `values`; a value that is missing or cannot be read (a port outside
// 1..65535, the two ports the same) leaves the one in `values`.
void readnewsroomsettings(QSettings &settings, NewsroomSettings &values);
