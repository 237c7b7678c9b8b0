// One empty QMainWindow, the size of Quiren's first main window, shown and
// ended as soon as it has been painted (at once, as Quiren is ended for the
// same measurement): what starting any Qt Widgets program costs here.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>

#include <cstdlib>

namespace {

class QuitWhenPainted : public QObject {
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
        return false;
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(733, 533);
    QuitWhenPainted quit;
    window.installEventFilter(&quit);
    window.show();
    return app.exec();
}
