#include "gui/shell/SplashWindow.h"

#include "core/text/StringTable.h"
#include "gui/shell/AppVersion.h"
#include "gui/widgets/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QScreen>

#include <cmath>

#if __has_include("SplashPicture.inc")
#include "SplashPicture.inc"
#define QUIREN_SPLASH_PICTURE 1
#endif

namespace quiren {

namespace {

QPointer<QWidget> &theSplash()
{
    static QPointer<QWidget> splash;
    return splash;
}

#ifdef QUIREN_SPLASH_PICTURE
// What the program shows: the splash window as drawn at build time, its
// pixels used in place.
class SplashPicture : public QWidget {
public:
    SplashPicture()
        : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
        , m_picture(SplashPicturePixels, SplashPictureWidth, SplashPictureHeight, SplashPictureWidth * 4,
                    QImage::Format_RGB32)
    {
        setObjectName(QStringLiteral("frmSplash"));
        setAttribute(Qt::WA_DeleteOnClose);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFixedSize(m_picture.size());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, m_picture);
    }

private:
    const QImage m_picture;
};
#endif

QLabel *splashLabel(const QString &name, const QString &text, const QFont &font, const QColor &colour,
                    QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->adjustSize();
    return label;
}

} // namespace

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(TwipsToPixelsX(7200), TwipsToPixelsY(4000));

    QFont title(QStringLiteral("Times New Roman"), 48);
    title.setStyleHint(QFont::Serif);
    title.setBold(true);
    title.setItalic(true);
    QFont platform(QStringLiteral("Arial"), 15);
    platform.setStyleHint(QFont::SansSerif);
    platform.setPointSizeF(15.75);
    platform.setBold(true);
    QFont version(QStringLiteral("Arial"), 12);
    version.setStyleHint(QFont::SansSerif);
    version.setBold(true);

    const QString name = Str(S::AppTitle);
    // Label1 (black) sits 60 twips right of and below lblProductName (white),
    // its shadow.
    QLabel *shadow = splashLabel(QStringLiteral("Label1"), name, title, Qt::black, this);
    QLabel *product = splashLabel(QStringLiteral("lblProductName"), name, title, Qt::white, this);
    const QPoint at(TwipsToPixelsX(600), TwipsToPixelsY(500));
    product->move(at);
    shadow->move(at + QPoint(TwipsToPixelsX(60), TwipsToPixelsY(60)));
    QLabel *platformLabel = splashLabel(QStringLiteral("lblPlatform"), Str(S::ForWindows), platform, Qt::white, this);
    platformLabel->move(width() - platformLabel->width() - TwipsToPixelsX(600),
                        product->geometry().bottom() + TwipsToPixelsY(200));
    QLabel *versionLabel = splashLabel(QStringLiteral("lblVersion"), ShortVersionText(), version, Qt::white, this);
    versionLabel->move(width() - versionLabel->width() - TwipsToPixelsX(600),
                       platformLabel->geometry().bottom() + TwipsToPixelsY(150));
    product->raise();
}

SplashWindow::~SplashWindow() = default;

void SplashWindow::paintEvent(QPaintEvent *)
{
    // Bands two pixels apart from blue at the top to black at the bottom.
    QPainter painter(this);
    const int h = std::max(1, height());
    const int w = width();
    double blue = 255.0;
    const double step = 510.0 / h;
    for (int y = 0; y <= h; y += 2) {
        const int b = std::clamp(static_cast<int>(std::lround(blue)), 0, 255);
        painter.fillRect(QRect(QPoint(-1, y - 1), QPoint(w, y + 2)), QColor(0, 0, b));
        blue -= step;
    }
}

void ShowSplashWindow()
{
    if (theSplash())
        return;
#ifdef QUIREN_SPLASH_PICTURE
    QWidget *splash = new SplashPicture;
#else
    QWidget *splash = new SplashWindow;
#endif
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        splash->move(area.center() - QPoint(splash->width() / 2, splash->height() / 2));
    }
    theSplash() = splash;
    // Shown, it is painted (at once where the server maps it at once,
    // otherwise on its exposure, which the events below may already bring).
    splash->show();
    QApplication::processEvents();
}

void CloseSplashWindow()
{
    if (theSplash())
        theSplash()->close();
    theSplash() = nullptr;
}

bool SplashWindowShown()
{
    return !theSplash().isNull();
}

} // namespace quiren
