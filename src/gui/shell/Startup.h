#pragma once

#include <QString>
#include <QStringList>

class QApplication;

namespace quiren {

// The program's start: one running program per user, the splash window, the
// application-wide data, the main window and its first calculation window.
// Returns the program's exit code.
int RunProgram(QApplication &app);

// Qt's own Japanese texts (standard buttons はい / いいえ / キャンセル).
void InstallJapaneseTranslations(QApplication &app);
// A Japanese user-interface font for every window.
void UseJapaneseFont(QApplication &app);

// The file named on the command line: every argument after the program's
// name, joined by blanks, made absolute; empty when there is none.
QString CommandLineFile(const QStringList &arguments);

} // namespace quiren
