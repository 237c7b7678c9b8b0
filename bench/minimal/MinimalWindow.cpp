// One empty QMainWindow, the size of Quiren's first main window, shown and
// ended as soon as it has been painted (at once, as Quiren is ended for the
// same measurement): what starting any Qt Widgets program costs here.
//
// With the argument "japanese" the window shows one line of Japanese text in
// Quiren's user-interface font instead: a reference for what the first text
// of any program costs (fontconfig, the font database, one CJK face and its
// glyphs), which the empty window never pays.
#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

#include <cstring>

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
    window.resize(741, 618);
    if (argc > 1 && std::strcmp(argv[1], "japanese") == 0) {
        QFont font(QStringLiteral("IPAexGothic"));
        font.setPointSize(9);
        app.setFont(font);
        window.setCentralWidget(new QLabel(QStringLiteral("新規計算書1　建設大臣認定耐力壁の選択　必要壁量　判定")));
    }
    QuitWhenPainted quit;
    window.installEventFilter(&quit);
    window.show();
    return app.exec();
}
