#include "gui/widgets/WidgetSupport.h"

#include "IconPixels.inc"

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <QAction>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QTimer>
#include <QVariant>
#include <QWidget>

#include <utility>

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

QMenu *MakeNamedMenu(QWidget *owner, const QString &name, int caption, QList<QMenu *> *keptIn)
{
    auto *menu = new QMenu(QString::number(caption), owner);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    if (keptIn)
        keptIn->append(menu);
    return menu;
}

QAction *MarkedItem(QAction *item)
{
    item->setCheckable(true);
    item->setChecked(true);
    return item;
}

QAction *AddNamedSeparator(QMenu *menu, QObject *owner, const QString &name)
{
    QAction *bar = menu->addSeparator();
    bar->setObjectName(name);
    bar->setParent(owner);
    return bar;
}

void ShowRecentPath(QAction *item, const QString &path)
{
    QString text = path;
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    item->setText(text);
    item->setData(path);
    item->setVisible(true);
}

QString RecentPathOf(const QAction *item)
{
    const QVariant path = item->data();
    return path.isValid() ? path.toString() : item->text();
}

QWidget *TabIntoAfter(QWidget *previous, QWidget *group)
{
    QWidgetList parts;
    QWidget *window = group->window();
    for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && (w == group || group->isAncestorOf(w)))
            parts << w;
    }
    for (QWidget *part : parts) {
        QWidget::setTabOrder(previous, part);
        previous = part;
    }
    return previous;
}

QIcon PngIcon(const QString &path)
{
    for (const IconPixels &icon : IconPixelTable) {
        if (path == QLatin1String(icon.path))
            return QIcon(QPixmap::fromImage(QImage(icon.pixels, icon.width, icon.height, icon.width * 4,
                                                   QImage::Format_ARGB32_Premultiplied)));
    }
    QImage picture;
    picture.load(path, "PNG");
    return QIcon(QPixmap::fromImage(picture));
}

namespace {

class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QObject *context, std::function<void()> call)
        : QObject(context)
        , m_call(std::move(call))
    {
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_posted) {
            m_posted = true;
            QTimer::singleShot(0, parent(), [call = m_call] { call(); });
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_call;
    bool m_posted = false;
};

} // namespace

void CallAfterFirstPaint(QWidget *painted, QObject *context, std::function<void()> call)
{
    painted->installEventFilter(new FirstPaintWatch(context, std::move(call)));
}

} // namespace quiren
