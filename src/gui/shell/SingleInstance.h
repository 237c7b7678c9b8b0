#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace quiren {

// One running program per user. The first start listens on a local socket
// in the user's runtime folder; a later start finds it, hands over its
// command line (the file to open, possibly empty) and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // `serverName`: the socket's name; empty gives the program's own
    // ("quiren-<user>.socket" in $XDG_RUNTIME_DIR).
    explicit SingleInstance(const QString &serverName = QString(), QObject *parent = nullptr);
    ~SingleInstance() override;

    static QString defaultServerName();

    // True when another start of the program is running: the command line
    // has then been handed to it. False when this start is the first one;
    // it then listens for later starts.
    bool handOverToRunning(const QString &commandLine);

    QString serverName() const { return m_name; }
    bool listening() const;

signals:
    // A later start handed over its command line.
    void commandLineReceived(const QString &commandLine);

private:
    bool sendTo(const QString &commandLine);
    void onConnection();

    QString m_name;
    QLocalServer *m_server = nullptr;
};

} // namespace quiren
