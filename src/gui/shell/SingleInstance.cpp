#include "gui/shell/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace quiren {

namespace {

constexpr int WaitMs = 2000;
// A command line is one path; anything longer is not ours.
constexpr qsizetype MaxMessageBytes = 64 * 1024;

std::optional<sockaddr_un> addressOf(const QString &name)
{
    const QByteArray path = QFile::encodeName(name);
    sockaddr_un address{};
    if (path.isEmpty() || static_cast<size_t>(path.size()) >= sizeof(address.sun_path))
        return std::nullopt;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    return address;
}

int newSocket()
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

// Waits until `fd` is ready for `events`, at most WaitMs.
bool waitFor(int fd, short events)
{
    pollfd entry{fd, events, 0};
    int ready;
    do {
        ready = ::poll(&entry, 1, WaitMs);
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && waitFor(fd, POLLOUT))
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

SingleInstance::SingleInstance(const QString &serverName, QObject *parent)
    : QObject(parent)
    , m_name(serverName.isEmpty() ? defaultServerName() : serverName)
{
}

SingleInstance::~SingleInstance()
{
    stopListening();
}

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

bool SingleInstance::sendTo(const QString &commandLine) const
{
    const std::optional<sockaddr_un> address = addressOf(m_name);
    if (!address)
        return false;
    const int fd = newSocket();
    if (fd < 0)
        return false;
    // A running program that hangs keeps this start waiting no longer than
    // it may: the limit holds for connecting (its queue full) and sending.
    const timeval limit{WaitMs / 1000, (WaitMs % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    bool taken = false;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&*address), sizeof(*address)) == 0) {
        QByteArray message = commandLine.toUtf8();
        message.append('\n');
        // The running program answers once it has the message (a line feed,
        // or closing the connection). The system accepts the connection
        // and the message for a program that hangs as well: without the
        // answer the file would open nowhere.
        if (writeAll(fd, message) && waitFor(fd, POLLIN)) {
            char byte;
            ssize_t n;
            do {
                n = ::recv(fd, &byte, 1, MSG_DONTWAIT);
            } while (n < 0 && errno == EINTR);
            taken = n >= 0;
        }
    }
    ::close(fd);
    return taken;
}

int SingleInstance::listen()
{
    const std::optional<sockaddr_un> address = addressOf(m_name);
    if (!address)
        return ENAMETOOLONG;
    const int fd = newSocket();
    if (fd < 0)
        return errno;
    // Only the user may hand the program a file.
    const mode_t oldMask = ::umask(0077);
    int error = ::bind(fd, reinterpret_cast<const sockaddr *>(&*address), sizeof(*address)) == 0 ? 0 : errno;
    ::umask(oldMask);
    if (error == 0 && ::listen(fd, 8) != 0)
        error = errno;
    if (error != 0) {
        ::close(fd);
        return error;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    m_listener = fd;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SingleInstance::onConnection);
    return 0;
}

void SingleInstance::stopListening()
{
    if (m_listener < 0)
        return;
    delete m_notifier;
    m_notifier = nullptr;
    ::close(m_listener);
    m_listener = -1;
    QFile::remove(m_name);
}

bool SingleInstance::handOverToRunning(const QString &commandLine)
{
    if (sendTo(commandLine))
        return true;
    const int error = listen();
    if (error == 0)
        return false;
    // A socket left behind by a program that ended abnormally, a program
    // that hangs, or another start racing this one: try the other once
    // more, then take over, so that this start opens the file itself.
    if (error == EADDRINUSE) {
        if (sendTo(commandLine))
            return true;
        QFile::remove(m_name);
        listen();
    }
    return false;
}

void SingleInstance::onConnection()
{
    for (;;) {
        const int connection = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (connection < 0)
            return;
        // The connection is closed with its notifier; closing tells the
        // later start that its line arrived.
        auto *notifier = new QSocketNotifier(connection, QSocketNotifier::Read, this);
        connect(notifier, &QObject::destroyed, [connection] { ::close(connection); });
        auto received = std::make_shared<QByteArray>();
        connect(notifier, &QSocketNotifier::activated, this, [this, connection, notifier, received] {
            char buffer[4096];
            ssize_t n;
            while ((n = ::recv(connection, buffer, sizeof buffer, 0)) > 0)
                received->append(buffer, n);
            const bool ended = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
            const qsizetype lineEnd = received->indexOf('\n');
            if (lineEnd < 0 && !ended && received->size() <= MaxMessageBytes)
                return;
            notifier->setEnabled(false);
            notifier->deleteLater();
            if (lineEnd >= 0) {
                // Answered before the file is opened: opening may show a
                // message and take longer than the later start waits.
                (void)::send(connection, "\n", 1, MSG_NOSIGNAL);
                emit commandLineReceived(QString::fromUtf8(received->left(lineEnd)));
            }
        });
    }
}

} // namespace quiren
