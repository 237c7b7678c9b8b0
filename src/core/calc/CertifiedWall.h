#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

namespace quiren {

// A minister-certified bearing wall the user has registered, offered as an
// extra framing kind. The list is application-wide (at most 101 entries).
struct CertifiedWall {
    CertifiedWall() = default;
    CertifiedWall(QString wallName, float wallMultiplier, QString line = {})
        : name(std::move(wallName)), multiplier(wallMultiplier), displayLine(std::move(line))
    {
    }

    QString name;
    float multiplier = 0.0f;
    // What the options window and the sheet's wall choice list:
    // name & "：倍率" & multiplier text.
    QString displayLine;

    // A line of the wall file that could not be read keeps its position
    // (calculation files name walls by position) as a placeholder: no name,
    // so no kind matches it and no sheet can choose it. The line is kept as
    // the file held it, to be written back in its place.
    QByteArray unreadLine;
    int fileLine = 0;   // 1-based line number of an unread line

    bool isPlaceholder() const { return name.isEmpty(); }
};

using CertifiedWallList = QList<CertifiedWall>;

constexpr int MaxCertifiedWalls = 101;

// name & "：倍率" & the shortest text of the multiplier ("A：倍率2.5").
QString WallDisplayLine(const QString &name, float multiplier);

// The multipliers a certified wall may have, as the options window accepts
// them: greater than 0, at most 5, and no more than two decimals (the sheet
// shows and uses them as registered, so a third decimal could not be shown).
bool IsCertifiedMultiplier(double multiplier);

// The placeholder standing for line `fileLine` of the wall file.
CertifiedWall UnreadWallPlaceholder(const QByteArray &line, int fileLine);

} // namespace quiren
