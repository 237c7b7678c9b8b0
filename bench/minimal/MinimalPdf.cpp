// The floor of the PDF benchmark: a Qt program without a display that writes
// one A4 page with one line of Japanese in the sheet's font (IPAex Mincho,
// embedded as qrn embeds it) and ends. What any PDF written through Qt's
// PDF writer costs here: the Gui libraries, the offscreen platform,
// fontconfig, one CJK face, its subset and the compressed file.
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QPdfWriter writer(QString::fromLocal8Bit(argv[1]));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(14, 14, 14, 14)));
    writer.setResolution(1440);
    QPainter painter(&writer);
    QFont font(QStringLiteral("IPAexMincho"));
    font.setPointSize(10);
    font.setHintingPreference(QFont::PreferNoHinting);
    painter.setFont(font);
    painter.drawText(QPointF(1440, 1440), QStringLiteral("壁量計算書　必要壁量　存在壁量　判定 OK 27.6892m"));
    return painter.end() ? 0 : 1;
}
