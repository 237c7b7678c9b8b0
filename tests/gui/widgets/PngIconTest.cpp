// The icons decoded at build time are the resources' pictures, pixel for
// pixel; a picture not among them is still read from its PNG.
#include "core/shell/FileAssociation.h"
#include "gui/widgets/WidgetSupport.h"

#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>

namespace quiren {
namespace {

TEST(PngIcon, GivesTheResourcesPictures)
{
    QStringList paths = {ProgramIconPath()};
    for (const char *name : {"new", "open", "save", "print", "sort", "list", "info"})
        paths << QStringLiteral(":/quiren/icons/%1.png").arg(QLatin1String(name));
    for (const QString &path : paths) {
        const QImage expected = QImage(path, "PNG").convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ASSERT_FALSE(expected.isNull()) << path.toStdString();
        const QImage shown = PngIcon(path).pixmap(expected.size()).toImage().convertToFormat(
            QImage::Format_ARGB32_Premultiplied);
        ASSERT_EQ(shown.size(), expected.size()) << path.toStdString();
        int differing = 0;
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                differing += shown.pixel(x, y) != expected.pixel(x, y);
        EXPECT_EQ(differing, 0) << path.toStdString();
    }
}

} // namespace
} // namespace quiren
