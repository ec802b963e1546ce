#include "cli/consoleprompts.h"
#include "cli/verb.h"

#include "packages/ddeserver.h"
#include "services/failure.h"
#include "services/messages.h"

#include <QCoreApplication>
#include <QLocalSocket>

namespace {

constexpr int ConnectMilliseconds = 2000;
// A window answers between two steps of a running make or import; allow for a long step.
constexpr int ReplyMilliseconds = 120000;

int runSend(const Arguments &args)
{
    // The window takes one command a line and answers each: a second line would be taken
    // without its answer being read.
    const QString command = args.plain().first();
    if (command.contains(u'\n') || command.contains(u'\r'))
        throw UsageError(
            QCoreApplication::translate("kestrix-cli", "The command must be one line."));
    QLocalSocket socket;
    socket.connectToServer(DdeServer::serverName());
    if (!socket.waitForConnected(ConnectMilliseconds)) {
        ConsolePrompts::printError(Messages::noPackageWindow());
        return 1;
    }
    socket.write(command.toUtf8() + '\n');
    socket.flush();
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(ReplyMilliseconds)) {
            ConsolePrompts::printError(Messages::noPackageWindow());
            return 1;
        }
    }
    const QByteArray reply = socket.readLine().trimmed();
    socket.disconnectFromServer();
    if (reply == DdeServer::acceptedReply())
        return 0;
    ConsolePrompts::printError(QString::fromUtf8(reply.mid(DdeServer::refusedPrefix().size())));
    return 1;
}

const Verb sendVerb(
    "send",
    QT_TRANSLATE_NOOP("kestrix-cli", "Adds an item to the package window of a running Kestrix."),
    {}, runSend,
    {"COMMAND",
     QT_TRANSLATE_NOOP("kestrix-cli", "\"description|position|size\", as other programs send it."),
     1, 1});

} // namespace
