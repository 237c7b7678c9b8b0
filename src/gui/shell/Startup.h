#pragma once

#include <QString>
#include <QStringList>

#include <optional>

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

// The files named on the command line, made absolute, each to open in a
// window of its own. When the arguments are not all files but, joined by
// blanks, name one (a name with blanks that a caller did not quote), that
// one file.
QStringList CommandLineFiles(const QStringList &arguments);
// The files travel to the main window (and to an already running program)
// as one text, separated by a character no path holds.
inline constexpr QChar CommandLineFileSeparator{u'\0'};

// "quiren --help" and "quiren --version" print their text on standard
// output and end the program (its exit code is returned); anything else
// starts the program (nothing is returned).
std::optional<int> AnswerHelpOrVersion(int argc, char **argv);

} // namespace quiren
