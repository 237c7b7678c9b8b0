// Decodes the program's small icons once, at build time, into the pixels
// the program uses (IconPixels.inc): reading a PNG at start-up has Qt look
// through its image plugins first, which costs more than the icons do.
//
//   quiren_icon_pixels OUTPUT.inc RESOURCE=FILE.png...
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: quiren_icon_pixels OUTPUT.inc RESOURCE=FILE.png...\n");
        return 2;
    }
    QByteArray text = "// Made by quiren_icon_pixels from the icons' PNG files; do not edit.\n"
                      "struct IconPixels {\n"
                      "    const char *path;\n"
                      "    int width;\n"
                      "    int height;\n"
                      "    const unsigned char *pixels;   // ARGB32, premultiplied, in memory order\n"
                      "};\n";
    QByteArray table = "constexpr IconPixels IconPixelTable[] = {\n";
    for (int i = 2; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        const qsizetype split = argument.indexOf('=');
        const QImage picture = split > 0 ? QImage(QString::fromLocal8Bit(argument.mid(split + 1)), "PNG") : QImage();
        if (picture.isNull()) {
            std::fprintf(stderr, "quiren_icon_pixels: cannot read %s\n", argv[i]);
            return 1;
        }
        const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QByteArray name = "IconPixels" + QByteArray::number(i - 2);
        text += "alignas(4) constexpr unsigned char " + name + "[] = {\n";
        for (int y = 0; y < pixels.height(); ++y) {
            const uchar *line = pixels.constScanLine(y);
            for (int x = 0; x < pixels.width() * 4; ++x)
                text += QByteArray::number(line[x]) + ',';
            text += '\n';
        }
        text += "};\n";
        table += "    {\"" + argument.left(split) + "\", " + QByteArray::number(pixels.width()) + ", "
                 + QByteArray::number(pixels.height()) + ", " + name + "},\n";
    }
    text += table + "};\n";
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(text) != text.size() || !out.flush()) {
        std::fprintf(stderr, "quiren_icon_pixels: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
