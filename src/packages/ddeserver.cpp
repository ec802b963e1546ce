#include "ddeserver.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

constexpr int ProbeMilliseconds = 200;

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
    if (isListening())
        return true;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &DdeServer::takeConnection);
    const QString name = serverName();
    if (m_server->listen(name))
        return true;
    // A socket left by a program that ended without closing it: take it over, unless a
    // package window still answers there.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(ProbeMilliseconds)) {
        probe.abort();
        close();
        return false;
    }
    QLocalServer::removeServer(name);
    if (m_server->listen(name))
        return true;
    close();
    return false;
}

void DdeServer::close()
{
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
