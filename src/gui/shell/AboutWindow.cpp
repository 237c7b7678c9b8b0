#include "gui/shell/AboutWindow.h"

#include "core/text/StringTable.h"
#include "gui/shell/AppVersion.h"
#include "gui/widgets/Twips.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>

namespace quiren {

AboutWindow::AboutWindow(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(Str(S::AboutTitle));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    const QIcon programIcon = owner ? owner->windowIcon() : windowIcon();
    icon->setPixmap(programIcon.pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *title = new QLabel(Str(S::AboutProduct), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    title->setFont(big);
    auto *version = new QLabel(LongVersionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));

    // What the program runs on here: the system and the Qt it was started with.
    auto *platform = new QLabel(QSysInfo::prettyProductName() + QStringLiteral(" / Qt ")
                                    + QString::fromLatin1(qVersion()), this);
    platform->setObjectName(QStringLiteral("lblPlatform"));

    auto *ok = new QPushButton(Str(S::Ok), this);
    ok->setObjectName(QStringLiteral("cmdOK(0)"));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    ok->setMinimumWidth(TwipsToPixelsX(1200, this));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(TwipsToPixelsX(240, this), TwipsToPixelsY(240, this),
                               TwipsToPixelsX(240, this), TwipsToPixelsY(200, this));
    layout->setHorizontalSpacing(TwipsToPixelsX(240, this));
    layout->addWidget(icon, 0, 0, 2, 1);
    layout->addWidget(title, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(platform, 2, 1);
    layout->addWidget(ok, 4, 1, Qt::AlignRight);
    layout->setRowStretch(3, 1);
    layout->setRowMinimumHeight(3, TwipsToPixelsY(240, this));
    setFixedHeight(std::max(TwipsToPixelsY(2800, this), sizeHint().height()));
    setMinimumWidth(TwipsToPixelsX(5400, this));
}

} // namespace quiren
