// Draws the splash window once, at build time, into the pixels the program
// shows at every start (SplashPicture.inc): the labels' fonts are looked up
// and their glyphs drawn here rather than while the user waits.
//
//   quiren_splash_picture OUTPUT.inc
#include "gui/shell/SplashWindow.h"

#include <QApplication>
#include <QFile>
#include <QImage>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: quiren_splash_picture OUTPUT.inc\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quiren::SplashWindow splash;
    const QImage picture = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);

    QByteArray text = "// Made by quiren_splash_picture from SplashWindow; do not edit.\n";
    text += "constexpr int SplashPictureWidth = " + QByteArray::number(picture.width()) + ";\n";
    text += "constexpr int SplashPictureHeight = " + QByteArray::number(picture.height()) + ";\n";
    text += "alignas(4) constexpr unsigned char SplashPicturePixels[] = {\n";
    for (int y = 0; y < picture.height(); ++y) {
        const auto *line = picture.constScanLine(y);
        for (int x = 0; x < picture.width() * 4; ++x) {
            text += QByteArray::number(line[x]);
            text += ',';
        }
        text += '\n';
    }
    text += "};\n";
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(text) != text.size() || !out.flush()) {
        std::fprintf(stderr, "quiren_splash_picture: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
