#include "gui/shell/SingleInstance.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace quiren {

namespace {

constexpr int WaitMs = 2000;

} // namespace

SingleInstance::SingleInstance(const QString &serverName, QObject *parent)
    : QObject(parent)
    , m_name(serverName.isEmpty() ? defaultServerName() : serverName)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultServerName()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QStringLiteral("user");
    return folder + QStringLiteral("/quiren-") + user + QStringLiteral(".socket");
}

bool SingleInstance::listening() const
{
    return m_server && m_server->isListening();
}

bool SingleInstance::sendTo(const QString &commandLine)
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(WaitMs))
        return false;
    QByteArray message = commandLine.toUtf8();
    message.append('\n');
    socket.write(message);
    if (!socket.waitForBytesWritten(WaitMs))
        return false;
    // The running program closes the connection once it has the message.
    socket.waitForDisconnected(WaitMs);
    return true;
}

bool SingleInstance::handOverToRunning(const QString &commandLine)
{
    if (sendTo(commandLine))
        return true;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onConnection);
    if (m_server->listen(m_name))
        return false;
    // A socket left behind by a program that ended abnormally, or another
    // start racing this one: try the other once more, then take over.
    if (m_server->serverError() == QAbstractSocket::AddressInUseError) {
        if (sendTo(commandLine))
            return true;
        QLocalServer::removeServer(m_name);
        m_server->listen(m_name);
    }
    return false;
}

void SingleInstance::onConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto readLine = [this, socket] {
            if (!socket->canReadLine())
                return;
            const QString commandLine = QString::fromUtf8(socket->readLine()).chopped(1);
            socket->disconnectFromServer();
            emit commandLineReceived(commandLine);
        };
        connect(socket, &QLocalSocket::readyRead, this, readLine);
        readLine();
    }
}

} // namespace quiren
