#include "shell/WidgetSupport.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>

namespace quiren {

BusyCursor::BusyCursor()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    release();
}

void BusyCursor::release()
{
    if (m_active)
        QGuiApplication::restoreOverrideCursor();
    m_active = false;
}

QString IndexedName(const char *name, int i)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

void OnChosen(QAction *item, QObject *context, std::function<void()> command)
{
    QObject::connect(item, &QAction::triggered, context, [item, command = std::move(command)] {
        if (item->isCheckable())
            item->setChecked(!item->isChecked());
        command();
    });
}

} // namespace quiren
