#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;

// The package window's channel for other programs, standing in for a DDE topic "Kestrix": a
// local socket of that name for the current user. A client sends one command a line
// ("description|position|size") and gets one line back for each: "accepted" or
// "refused: " and the reason.
class DdeServer : public QObject
{
    Q_OBJECT

public:
    // handler takes a command and returns the empty text when it accepts it, else the reason.
    explicit DdeServer(std::function<QString(const QString &)> handler, QObject *parent = nullptr);
    ~DdeServer() override;

    // Starts listening; false when another package window already listens.
    bool listen();
    void close();
    bool isListening() const;

    // The socket name: "Kestrix" in the user's runtime folder when the system names one.
    static QString serverName();

    static QByteArray acceptedReply() { return QByteArrayLiteral("accepted"); }
    static QByteArray refusedPrefix() { return QByteArrayLiteral("refused: "); }

private:
    void takeConnection();
    void readCommands(QLocalSocket *socket);

    std::function<QString(const QString &)> m_handler;
    QLocalServer *m_server = nullptr;
};
