#include "sessionmanager.h"

#include <QList>
#include <cstdlib>
#include <poll.h>
#include <sys/socket.h>

#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

// The listening sockets and the programs that joined; touched on the manager's thread only.
struct SessionManager::Listener {
    struct Client {
        SmsConn session = nullptr;
        IceConn connection = nullptr;
        bool registered = false;
    };

    SessionManager *owner = nullptr;
    IceListenObj *sockets = nullptr;
    int socketCount = 0;
    QList<bool> local;         // per socket: the local transport, the only one listened on
    QList<IceConn> connecting; // accepted, the protocol not yet set up
    QList<Client> clients;

    Client *clientOf(SmsConn session)
    {
        for (Client &client : clients)
            if (client.session == session)
                return &client;
        return nullptr;
    }

    static Bool anyHost(char *) { return True; }

    static Status newClient(SmsConn session, SmPointer data, unsigned long *mask, SmsCallbacks *callbacks,
                            char **)
    {
        auto *self = static_cast<Listener *>(data);
        self->connecting.removeOne(SmsGetIceConnection(session));
        self->clients.append(Client{session, SmsGetIceConnection(session), false});
        *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
                SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
                SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
                SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
        callbacks->register_client = {&Listener::registerClient, self};
        callbacks->interact_request = {[](SmsConn s, SmPointer, int) { SmsInteract(s); }, self};
        callbacks->interact_done = {[](SmsConn, SmPointer, Bool) {}, self};
        callbacks->save_yourself_request = {[](SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}, self};
        callbacks->save_yourself_phase2_request = {[](SmsConn s, SmPointer) { SmsSaveYourselfPhase2(s); },
                                                   self};
        callbacks->save_yourself_done = {&Listener::saveDone, self};
        callbacks->close_connection = {&Listener::closeConnection, self};
        callbacks->set_properties = {[](SmsConn, SmPointer, int count, SmProp **properties) {
                                         for (int i = 0; i < count; ++i)
                                             SmFreeProperty(properties[i]);
                                         free(properties);
                                     },
                                     self};
        callbacks->delete_properties = {[](SmsConn, SmPointer, int count, char **names) {
                                            for (int i = 0; i < count; ++i)
                                                free(names[i]);
                                            free(names);
                                        },
                                        self};
        callbacks->get_properties = {[](SmsConn s, SmPointer) { SmsReturnProperties(s, 0, nullptr); }, self};
        return 1;
    }

    static Status registerClient(SmsConn session, SmPointer data, char *previousId)
    {
        auto *self = static_cast<Listener *>(data);
        free(previousId);
        char *id = SmsGenerateClientID(session);
        if (!id)
            return 0;
        SmsRegisterClientReply(session, id);
        free(id);
        if (Client *client = self->clientOf(session))
            client->registered = true;
        ++self->owner->m_clients;
        return 1;
    }

    static void saveDone(SmsConn, SmPointer data, Bool success)
    {
        auto *self = static_cast<Listener *>(data);
        if (!success)
            self->owner->m_savedAll = false;
        ++self->owner->m_saved;
    }

    static void closeConnection(SmsConn session, SmPointer data, int count, char **reasons)
    {
        auto *self = static_cast<Listener *>(data);
        SmFreeReasons(count, reasons);
        for (qsizetype i = 0; i < self->clients.size(); ++i) {
            if (self->clients.at(i).session != session)
                continue;
            IceConn connection = self->clients.at(i).connection;
            self->clients.removeAt(i);
            SmsCleanUp(session);
            IceSetShutdownNegotiation(connection, False);
            IceCloseConnection(connection);
            return;
        }
    }
};

SessionManager::SessionManager() : m_listener(new Listener)
{
    m_listener->owner = this;
    char error[256] = {};
    if (!SmsInitialize("vantell-tests", "1.0", &Listener::newClient, m_listener, &Listener::anyHost,
                       sizeof error, error) ||
        !IceListenForConnections(&m_listener->socketCount, &m_listener->sockets, sizeof error, error)) {
        m_error = QString::fromLocal8Bit(error);
        return;
    }
    // Loopback only: every transport but the local socket stops listening at once.
    QList<IceListenObj> local;
    for (int i = 0; i < m_listener->socketCount; ++i) {
        IceListenObj socket = m_listener->sockets[i];
        char *name = IceGetListenConnectionString(socket);
        const bool isLocal = QByteArray(name).startsWith("local/");
        free(name);
        m_listener->local.append(isLocal);
        if (isLocal) {
            IceSetHostBasedAuthProc(socket, &Listener::anyHost);
            local.append(socket);
        } else {
            ::shutdown(IceGetListenConnectionNumber(socket), SHUT_RDWR);
        }
    }
    if (local.isEmpty()) {
        m_error = QStringLiteral("no local transport to listen on");
        return;
    }
    char *ids = IceComposeNetworkIdList(int(local.size()), local.data());
    m_address = QString::fromLocal8Bit(ids);
    free(ids);
    m_thread = std::thread([this] { run(); });
}

SessionManager::~SessionManager()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    for (const Listener::Client &client : m_listener->clients) {
        SmsCleanUp(client.session);
        IceSetShutdownNegotiation(client.connection, False);
        IceCloseConnection(client.connection);
    }
    if (m_listener->sockets)
        IceFreeListenObjs(m_listener->socketCount, m_listener->sockets);
    delete m_listener;
}

void SessionManager::run()
{
    while (!m_stop) {
        if (m_endRequested.exchange(false)) {
            m_saved = 0;
            m_savedAll = true;
            for (const Listener::Client &client : m_listener->clients)
                if (client.registered)
                    SmsSaveYourself(client.session, SmSaveBoth, True, SmInteractStyleAny, False);
        }
        if (m_dieRequested.exchange(false))
            for (const Listener::Client &client : m_listener->clients)
                if (client.registered)
                    SmsDie(client.session);

        QList<pollfd> watched;
        for (int i = 0; i < m_listener->socketCount; ++i)
            if (m_listener->local.at(i))
                watched.append({IceGetListenConnectionNumber(m_listener->sockets[i]), POLLIN, 0});
        const qsizetype listening = watched.size();
        QList<IceConn> connections = m_listener->connecting;
        for (const Listener::Client &client : m_listener->clients)
            connections.append(client.connection);
        for (IceConn connection : connections)
            watched.append({IceConnectionNumber(connection), POLLIN, 0});
        if (::poll(watched.data(), nfds_t(watched.size()), 50) <= 0)
            continue;

        int local = 0;
        for (int i = 0; i < m_listener->socketCount; ++i) {
            if (!m_listener->local.at(i))
                continue;
            if (watched.at(local++).revents & POLLIN) {
                IceAcceptStatus status;
                if (IceConn connection = IceAcceptConnection(m_listener->sockets[i], &status))
                    m_listener->connecting.append(connection);
            }
        }
        for (qsizetype i = 0; i < connections.size(); ++i) {
            if (!(watched.at(listening + i).revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            IceConn connection = connections.at(i);
            const IceProcessMessagesStatus status = IceProcessMessages(connection, nullptr, nullptr);
            // Closed by the client's goodbye (see closeConnection): already gone.
            if (status == IceProcessMessagesConnectionClosed) {
                m_listener->connecting.removeOne(connection);
                continue;
            }
            const IceConnectStatus setUp = IceConnectionStatus(connection);
            if (status == IceProcessMessagesIOError || setUp == IceConnectRejected ||
                setUp == IceConnectIOError) {
                m_listener->connecting.removeOne(connection);
                for (qsizetype c = 0; c < m_listener->clients.size(); ++c) {
                    if (m_listener->clients.at(c).connection == connection) {
                        SmsCleanUp(m_listener->clients.at(c).session);
                        m_listener->clients.removeAt(c);
                        break;
                    }
                }
                IceSetShutdownNegotiation(connection, False);
                IceCloseConnection(connection);
            }
        }
    }
}
