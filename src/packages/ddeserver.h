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
//
// When several copies of Kestrix have their package window open, the first one serves the
// channel and every later one stands by, connected to it like a client; when the serving window
// closes, the connection drops and a standing-by window takes the channel over. A window never
// takes the name from a window that still answers on it.
class DdeServer : public QObject
{
    Q_OBJECT

public:
    // handler takes a command and returns the empty text when it accepts it, else the reason.
    explicit DdeServer(std::function<QString(const QString &)> handler, QObject *parent = nullptr);
    ~DdeServer() override;

    // Serves the channel, or stands by when another package window serves it; true when this
    // one serves it now.
    bool listen();
    // Stops serving or standing by.
    void close();
    bool isListening() const;

    // The socket name: "Kestrix" in the user's runtime folder when the system names one.
    static QString serverName();

    static QByteArray acceptedReply() { return QByteArrayLiteral("accepted"); }
    static QByteArray refusedPrefix() { return QByteArrayLiteral("refused: "); }

private:
    // Takes the channel when nobody answers on it, else stands by; call while m_wanted.
    void claim();
    // The window this one stood by for closed or ended.
    void serverGone();
    void takeConnection();
    void readCommands(QLocalSocket *socket);

    std::function<QString(const QString &)> m_handler;
    QLocalServer *m_server = nullptr;
    QLocalSocket *m_standby = nullptr; // connected to the window that serves the channel
    bool m_wanted = false;
};
