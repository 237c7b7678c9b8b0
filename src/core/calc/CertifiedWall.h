#pragma once

#include <QList>
#include <QString>

namespace quiren {

// A minister-certified bearing wall the user has registered, offered as an
// extra framing kind. The list is application-wide (at most 101 entries).
struct CertifiedWall {
    QString name;
    float multiplier = 0.0f;
    // What the options window and the sheet's wall choice list:
    // name & "：倍率" & multiplier text.
    QString displayLine;
};

using CertifiedWallList = QList<CertifiedWall>;

constexpr int MaxCertifiedWalls = 101;

// name & "：倍率" & the shortest text of the multiplier ("A：倍率2.5").
QString WallDisplayLine(const QString &name, float multiplier);

} // namespace quiren
