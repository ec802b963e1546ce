#include "ddeserver.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace {

constexpr int ProbeMilliseconds = 200;
constexpr int LockMilliseconds = 2000;

} // namespace

DdeServer::DdeServer(std::function<QString(const QString &)> handler, QObject *parent)
    : QObject(parent)
    , m_handler(std::move(handler))
{
}

DdeServer::~DdeServer()
{
    close();
}

QString DdeServer::serverName()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        return QStringLiteral("Kestrix");
    return QDir(runtime).filePath(QStringLiteral("Kestrix"));
}

bool DdeServer::listen()
{
    m_wanted = true;
    if (!isListening() && !m_standby)
        claim();
    return isListening();
}

void DdeServer::claim()
{
    const QString name = serverName();
    // Two windows opening at once must not both find the name free: the probe and the listen
    // happen under a lock (one a system leaves behind when its holder ended is taken over).
    QLockFile lock(QDir(QDir::tempPath()).filePath(name + QStringLiteral(".lock")));
    lock.tryLock(LockMilliseconds);

    auto *standby = new QLocalSocket(this);
    standby->connectToServer(name);
    if (standby->waitForConnected(ProbeMilliseconds)) {
        m_standby = standby;
        connect(standby, &QLocalSocket::disconnected, this, &DdeServer::serverGone);
        return;
    }
    delete standby;

    // Nobody answers: any socket there is one a program left when it ended without closing it.
    // (Listening would replace even a live one, so the probe above must come first.)
    QLocalServer::removeServer(name);
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server, &QLocalServer::newConnection, this, &DdeServer::takeConnection);
    if (server->listen(name))
        m_server = server;
    else
        delete server;
}

void DdeServer::serverGone()
{
    m_standby->disconnect(this);
    m_standby->deleteLater();
    m_standby = nullptr;
    claim();
}

void DdeServer::close()
{
    m_wanted = false;
    if (m_standby) {
        m_standby->disconnect(this);
        delete m_standby;
        m_standby = nullptr;
    }
    if (!m_server)
        return;
    m_server->close();
    delete m_server;
    m_server = nullptr;
}

bool DdeServer::isListening() const
{
    return m_server && m_server->isListening();
}

void DdeServer::takeConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readCommands(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        readCommands(socket);
    }
}

void DdeServer::readCommands(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        QByteArray line = socket->readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QString reason = m_handler(QString::fromUtf8(line));
        socket->write((reason.isEmpty() ? acceptedReply() : refusedPrefix() + reason.toUtf8())
                      + '\n');
        socket->flush();
    }
}
