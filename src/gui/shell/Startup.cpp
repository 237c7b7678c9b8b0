#include "gui/shell/Startup.h"

#include "core/calc/CoefficientTable.h"
#include "core/settings/AppData.h"
#include "core/settings/SettingsStore.h"
#include "core/shell/FileAssociation.h"
#include "core/text/StringTable.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/SingleInstance.h"
#include "gui/shell/SplashWindow.h"
#include "gui/shell/StartupBenchmark.h"
#include "gui/widgets/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <cstdio>

namespace quiren {

void InstallJapaneseTranslations(QApplication &app)
{
    // The program speaks Japanese whatever the desktop's language: Qt's own
    // texts, and what follows the default locale (the descriptions of file
    // types in the file dialogs, Qt's number and date forms).
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char *name : {"qtbase_ja", "qt_ja"}) {
        auto *translator = new QTranslator(&app);
        if (translator->load(QLatin1String(name), folder)) {
            app.installTranslator(translator);
            return;
        }
        delete translator;
    }
}

void UseJapaneseFont(QApplication &app)
{
    const QStringList families = QFontDatabase::families();
    for (const char *family : {"IPAexGothic", "Noto Sans CJK JP", "IPAPGothic", "Droid Sans Fallback"}) {
        if (families.contains(QLatin1String(family))) {
            QFont font{QString::fromLatin1(family)};
            font.setPointSize(9);
            // Unhinted glyphs look the same at this size and spare FreeType's
            // auto-hinter its study of each CJK face before the first glyph
            // is drawn (several milliseconds of every start).
            font.setHintingPreference(QFont::PreferNoHinting);
            app.setFont(font);
            return;
        }
    }
}

QStringList CommandLineFiles(const QStringList &arguments)
{
    QStringList names = arguments.mid(1);
    names.removeIf([](const QString &name) { return name.trimmed().isEmpty(); });
    const auto exists = [](const QString &name) { return QFileInfo(name).isFile(); };
    if (names.size() > 1 && !std::all_of(names.cbegin(), names.cend(), exists)
        && exists(arguments.mid(1).join(QLatin1Char(' '))))
        names = QStringList{arguments.mid(1).join(QLatin1Char(' '))};
    QStringList files;
    for (const QString &name : names)
        files << QFileInfo(name).absoluteFilePath();
    return files;
}

std::optional<int> AnswerHelpOrVersion(int argc, char **argv)
{
    if (argc != 2)
        return std::nullopt;
    const QByteArray option(argv[1]);
    const char *text = nullptr;
    QByteArray version;
    if (option == "--help" || option == "-h") {
        text = "使い方: quiren [ファイル...]\n"
               "木造住宅の構造の計算書 (壁量計算 旧基準・2025年基準、4分割法、柱の小径、N値計算) を作り、印刷します。\n"
               "計算書ファイル (.qrn, .qrn2) を指定すると、1 つずつ別のウインドウで開きます。\n"
               "すでに起動していれば、その Quiren で開きます。\n"
               "  quiren --help     この説明を表示します。\n"
               "  quiren --version  版数を表示します。\n"
               "画面なしで確認・印刷するには qrn を使ってください (qrn --help, man quiren)。\n\n"
               "Usage: quiren [FILE...]\n"
               "Makes and prints the structural check sheets of a small wooden house (wall quantity under\n"
               "the old and the 2025 rules, balance check, column diameter, column-end joints N-value).\n"
               "Each calculation file (.qrn, .qrn2) named opens in a window of its own, in the running\n"
               "Quiren if there is one.\n"
               "  quiren --help     Shows this text.\n"
               "  quiren --version  Shows the version.\n"
               "Use qrn to check and print files without a display (qrn --help, man quiren).\n";
    } else if (option == "--version") {
        version = QByteArrayLiteral("quiren ") + QByteArray::number(QUIREN_VERSION_MAJOR) + '.'
                  + QByteArray::number(QUIREN_VERSION_MINOR) + '.' + QByteArray::number(QUIREN_VERSION_PATCH)
                  + '\n';
        text = version.constData();
    } else {
        return std::nullopt;
    }
    const bool written = std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0;
    return written ? 0 : 1;
}

int RunProgram(QApplication &app)
{
    // No display name: Qt would append it (" — Quiren") to the title of every
    // window and message, whose titles are exactly their own.
    app.setApplicationName(QString::fromLatin1(AppTitle));
    InstallJapaneseTranslations(app);
    const QString commandLine = CommandLineFiles(app.arguments()).join(CommandLineFileSeparator);

    // 1. Another running program gets the command line; this one ends.
    SingleInstance instance;
    if (instance.handOverToRunning(commandLine))
        return 0;

    // A settings file that cannot be read whole is copied aside before
    // anything writes over it; the user hears of it once the main window is
    // up.
    const QString unreadableSettings = KeepUnreadableSettings(QString::fromLatin1(AppTitle));

    // 2. The splash window, a picture: no font needed yet.
    ShowSplashWindow();
    MarkStartup("splash");
    UseJapaneseFont(app);
    MarkStartup("fonts");
    // 3. The floor-area coefficients are a fixed table.
    (void)CoefficientTable::values();
    // 4. The main window; its initialisation reads the certified walls and
    //    the office data.
    MainWindow main;
    MarkStartup("main window");
    // 5.-6. The program folder, and the JW folder in effect.
    AppData &data = AppData::instance();
    WriteAppPath(data.programFolder);
    data.jwFolder = ReadJwPath(data.programFolder);
    // 7.-8. The main window loads (with its first calculation window, which
    //    closes the splash window, and the recent files in its File menu).
    main.load(commandLine);
    MarkStartup("calculation window");
    // 9. The file type of calculation files, when the desktop has none yet.
    RegisterFileType(QCoreApplication::applicationFilePath());
    // 10. The main window is shown.
    InstallBenchmarkHooks(main);
    main.show();
    CloseSplashWindow();
    MarkStartup("shown");

    if (!unreadableSettings.isEmpty()) {
        QTimer::singleShot(0, &main, [&main, unreadableSettings] {
            ShowMessage(&main,
                        Str(S::SettingsKept) + QLatin1Char('\n') + QDir::toNativeSeparators(unreadableSettings),
                        MsgButtons::Ok, MsgIcon::Exclamation);
        });
    }
    // Files the program would not read (a FIFO or a device in their place,
    // or far too large) are named once the main window is up, and so are
    // lines of the certified-wall file that could not be read (their
    // positions are kept, so files still name the right walls).
    QStringList refused;
    if (const QString problem = SettingsFileProblem(QString::fromLatin1(AppTitle)); !problem.isEmpty())
        refused << Str(S::SettingsRefused) + QLatin1Char('\n') + problem;
    if (!data.wallListProblem.isEmpty())
        refused << Str(S::WallListRefused) + QLatin1Char('\n') + data.wallListProblem;
    if (const QString unreadWalls = UnreadWallLinesMessage(data.walls); !unreadWalls.isEmpty())
        refused << unreadWalls;
    for (const QString &text : refused) {
        QTimer::singleShot(0, &main, [&main, text] {
            ShowMessage(&main, text, MsgButtons::Ok, MsgIcon::Exclamation);
        });
    }
    QObject::connect(&instance, &SingleInstance::commandLineReceived, &main,
                     [&main](const QString &line) { main.openHandedOverFile(line); });
    return app.exec();
}

} // namespace quiren
