#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace quiren {

// One running program per user. The first start listens on a local socket
// in the user's runtime folder; a later start finds it, hands over its
// command line (the file to open, possibly empty) and ends.
//
// Plain Unix-domain sockets under Qt's notifiers: Qt's network module would
// be loaded at every start for these few lines.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // `serverName`: the socket's path; empty gives the program's own
    // ("quiren-<user>.socket" in $XDG_RUNTIME_DIR).
    explicit SingleInstance(const QString &serverName = QString(), QObject *parent = nullptr);
    ~SingleInstance() override;

    static QString defaultServerName();

    // True when another start of the program is running and has answered
    // that it took the command line. False when this start is the first
    // one, or the running one does not answer (it hangs): this start then
    // listens for later starts and opens the file itself.
    bool handOverToRunning(const QString &commandLine);

    QString serverName() const { return m_name; }
    bool listening() const { return m_listener >= 0; }

signals:
    // A later start handed over its command line.
    void commandLineReceived(const QString &commandLine);

private:
    bool sendTo(const QString &commandLine) const;
    // 0, or the errno of the failed bind or listen.
    int listen();
    void stopListening();
    void onConnection();

    QString m_name;
    int m_listener = -1;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace quiren
