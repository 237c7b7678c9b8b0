#include "core/shell/FileAssociation.h"

#include "core/io/SafeRead.h"
#include "core/io/SafeWrite.h"
#include "core/text/StringTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <optional>

// The icon's resource lives in this static library; nothing refers to its
// initialiser, so it is registered by hand before the first use.
static void initProgramIconResource()
{
    Q_INIT_RESOURCE(programicon);
}

namespace quiren {

namespace {

constexpr char PackageFileName[] = "quiren-qrn.xml";
constexpr char DesktopFileName[] = "quiren.desktop";
constexpr char MimeInfoNamespace[] = "http://www.freedesktop.org/standards/shared-mime-info";
constexpr char QrnGlob[] = "*.qrn";
// What a Japanese desktop calls the program's own ".qrn" type (the file
// dialogs and file managers show it), as the installed package does.
const QString QrnJapaneseComment = QStringLiteral("壁量計算ファイル (旧形式)");
// The sheet file (".qrn2"), as the installed package names it.
constexpr char SheetPackageFileName[] = "quiren-qrn2.xml";
constexpr char SheetMimeName[] = "application/x-quiren-sheet";
constexpr int RefreshWaitMs = 3000;
// The package and the desktop entry are a few hundred bytes; whatever lies
// under their names beyond this, or is not a regular file, is not read.
constexpr qint64 MaxDesktopFileSize = 1024 * 1024;

QString DataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

// ---- The shared-mime-info package ------------------------------------------

struct Package {
    QString mimeName;
    QString comment;
    QString icon;
    bool qrnGlob = false;
};

std::optional<Package> ReadPackage()
{
    const ReadResult file = ReadFileSafely(FileTypePackagePath(), MaxDesktopFileSize);
    if (!file)
        return std::nullopt;
    QXmlStreamReader xml(file.bytes);
    Package package;
    bool inType = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("mime-type") && package.mimeName.isEmpty()) {
                package.mimeName = xml.attributes().value(QLatin1String("type")).toString();
                inType = true;
            } else if (inType && name == QLatin1String("comment")
                       && !xml.attributes().hasAttribute(QLatin1String("xml:lang"))) {
                package.comment = xml.readElementText();
            } else if (inType && name == QLatin1String("icon")) {
                package.icon = xml.attributes().value(QLatin1String("name")).toString();
            } else if (inType && name == QLatin1String("glob")
                       && xml.attributes().value(QLatin1String("pattern")) == QLatin1String(QrnGlob)) {
                package.qrnGlob = true;
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("mime-type")) {
            inType = false;
        }
    }
    if (xml.hasError() || package.mimeName.isEmpty())
        return std::nullopt;
    return package;
}

bool WriteTextFile(const QString &path, const QByteArray &bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return WriteFileSafely(path, bytes).ok;
}

// A type's description for Japanese desktops.
void writeJapaneseComment(QXmlStreamWriter &xml, const QString &text)
{
    xml.writeStartElement(QLatin1String("comment"));
    xml.writeAttribute(QLatin1String("xml:lang"), QLatin1String("ja"));
    xml.writeCharacters(text);
    xml.writeEndElement();
}

bool WritePackage(const Package &package)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(QLatin1String(MimeInfoNamespace));
    xml.writeStartElement(QLatin1String("mime-info"));
    xml.writeStartElement(QLatin1String("mime-type"));
    xml.writeAttribute(QLatin1String("type"), package.mimeName);
    if (!package.comment.isEmpty())
        xml.writeTextElement(QLatin1String("comment"), package.comment);
    if (package.comment == Str(S::FileTypeDescription))
        writeJapaneseComment(xml, QrnJapaneseComment);
    if (!package.icon.isEmpty()) {
        xml.writeEmptyElement(QLatin1String("icon"));
        xml.writeAttribute(QLatin1String("name"), package.icon);
    }
    if (package.qrnGlob) {
        xml.writeEmptyElement(QLatin1String("glob"));
        xml.writeAttribute(QLatin1String("pattern"), QLatin1String(QrnGlob));
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return WriteTextFile(FileTypePackagePath(), bytes);
}

// ---- The desktop entry -----------------------------------------------------

struct DesktopEntry {
    QString exec;
    QString icon;
    QString mimeType;  // "type;" as the entry lists it
    // Holds nothing but what WriteDesktopEntry writes: no menu editor and
    // no user has made it their own.
    bool onlyOurKeys = true;
};

// Values of a desktop entry escape \s \n \t \r and the backslash itself.
QString UnescapeDesktopValue(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value.at(++i);
        switch (next.unicode()) {
        case 's': out += QLatin1Char(' '); break;
        case 'n': out += QLatin1Char('\n'); break;
        case 't': out += QLatin1Char('\t'); break;
        case 'r': out += QLatin1Char('\r'); break;
        default: out += next; break;
        }
    }
    return out;
}

QString EscapeDesktopValue(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default: out += c; break;
        }
    }
    return out;
}

std::optional<DesktopEntry> ReadDesktopEntry()
{
    const ReadResult file = ReadFileSafely(DesktopEntryPath(), MaxDesktopFileSize);
    if (!file)
        return std::nullopt;
    DesktopEntry entry;
    bool inMainGroup = false;
    const QStringList lines = QString::fromUtf8(file.bytes).split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!inMainGroup || eq <= 0 || line.startsWith(QLatin1Char('#')))
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = UnescapeDesktopValue(line.mid(eq + 1).trimmed());
        static const QStringList ourKeys{QStringLiteral("Type"), QStringLiteral("Name"),
                                         QStringLiteral("Terminal"), QStringLiteral("Exec"),
                                         QStringLiteral("Icon"), QStringLiteral("MimeType")};
        if (!ourKeys.contains(key)
            || (key == QLatin1String("Name") && value != QLatin1String("Quiren")))
            entry.onlyOurKeys = false;
        if (key == QLatin1String("Exec"))
            entry.exec = value;
        else if (key == QLatin1String("Icon"))
            entry.icon = value;
        else if (key == QLatin1String("MimeType"))
            entry.mimeType = value;
    }
    return entry;
}

bool WriteDesktopEntry(const DesktopEntry &entry)
{
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=Quiren\n"
                                  "Terminal=false\n");
    text += QStringLiteral("Exec=") + EscapeDesktopValue(entry.exec) + QLatin1Char('\n');
    if (!entry.icon.isEmpty())
        text += QStringLiteral("Icon=") + EscapeDesktopValue(entry.icon) + QLatin1Char('\n');
    if (!entry.mimeType.isEmpty())
        text += QStringLiteral("MimeType=") + EscapeDesktopValue(entry.mimeType) + QLatin1Char('\n');
    return WriteTextFile(DesktopEntryPath(), text.toUtf8());
}

bool ListsMimeType(const QString &mimeTypeList, const QString &mimeName)
{
    return mimeTypeList.split(QLatin1Char(';'), Qt::SkipEmptyParts).contains(mimeName);
}

// ---- Keys -------------------------------------------------------------------

enum class KeyKind { None, Extension, Description, Icon, OpenCommand };

struct Key {
    KeyKind kind = KeyKind::None;
    QString typeName;  // the file type the key belongs to
};

// "KXcalclationFile\shell\open\command" and "KXcalclationFile/shell/open/command"
// are the same key; key names ignore letter case, as registry keys do.
Key ParseKey(const QString &subKey)
{
    const QStringList parts = QString(subKey).replace(QLatin1Char('\\'), QLatin1Char('/'))
                                  .split(QLatin1Char('/'), Qt::SkipEmptyParts);
    Key key;
    if (parts.isEmpty())
        return key;
    if (parts.size() == 1 && parts[0].compare(QLatin1String(QrnExtensionKey), Qt::CaseInsensitive) == 0) {
        key.kind = KeyKind::Extension;
        return key;
    }
    if (parts[0].startsWith(QLatin1Char('.')))
        return key;
    key.typeName = parts[0];
    const QStringList rest = parts.mid(1);
    auto is = [&](std::initializer_list<const char *> names) {
        if (rest.size() != static_cast<qsizetype>(names.size()))
            return false;
        qsizetype i = 0;
        for (const char *name : names)
            if (rest[i++].compare(QLatin1String(name), Qt::CaseInsensitive) != 0)
                return false;
        return true;
    };
    if (rest.isEmpty())
        key.kind = KeyKind::Description;
    else if (is({"DefaultIcon"}))
        key.kind = KeyKind::Icon;
    else if (is({"shell", "open", "command"}))
        key.kind = KeyKind::OpenCommand;
    return key;
}

bool ValidTypeName(const QString &typeName)
{
    if (typeName.isEmpty())
        return false;
    for (const QChar c : typeName)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('-')
            && c != QLatin1Char('.') && c != QLatin1Char('_') && c != QLatin1Char('+'))
            return false;
    return true;
}

// The type name a MIME type stands for: our own types by their file-type
// name, any other by its MIME name.
QString TypeNameOfMime(const QString &mimeName, const QString &packageTypeHint)
{
    if (!packageTypeHint.isEmpty() && MimeTypeNameOf(packageTypeHint) == mimeName)
        return packageTypeHint;
    if (mimeName == MimeTypeNameOf(QLatin1String(QrnFileTypeName)))
        return QLatin1String(QrnFileTypeName);
    return mimeName;
}

QString ExtensionTypeFromDesktop()
{
    // Any program's type for *.qrn that the desktop already knows.
    QMimeDatabase db;
    const QMimeType type = db.mimeTypeForFile(QStringLiteral("x.qrn"), QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault() || type.name() == QLatin1String("text/plain"))
        return {};
    return TypeNameOfMime(type.name(), {});
}

// The package describes the type `typeName` (or can start describing it).
Package PackageFor(const QString &typeName)
{
    std::optional<Package> package = ReadPackage();
    if (!package)
        package = Package{};
    if (package->mimeName.isEmpty())
        package->mimeName = MimeTypeNameOf(typeName);
    return *package;
}

void RunQuietly(const QString &program, const QStringList &arguments)
{
    const QString executable = QStandardPaths::findExecutable(program);
    if (executable.isEmpty())
        return;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(executable, arguments);
    if (!process.waitForStarted(RefreshWaitMs))
        return;
    if (!process.waitForFinished(RefreshWaitMs)) {
        process.kill();
        process.waitForFinished(RefreshWaitMs);
    }
}

// The icon the type and the desktop entry name.
void InstallIcon()
{
    const QString source = ProgramIconPath();
    const QString target = DataHome() + QStringLiteral("/icons/hicolor/48x48/apps/")
        + QLatin1String(QrnIconName) + QStringLiteral(".png");
    if (!QFile::exists(source) || QFileInfo::exists(target))
        return;
    if (QDir().mkpath(QFileInfo(target).absolutePath()) && QFile::copy(source, target))
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}

} // namespace

QString ProgramIconPath()
{
    static const bool registered = (initProgramIconResource(), true);
    Q_UNUSED(registered);
    return QStringLiteral(":/quiren/icons/quiren.png");
}

QString MimeTypeNameOf(const QString &fileTypeName)
{
    return QStringLiteral("application/x-") + fileTypeName.toLower();
}

QString FileTypePackagePath()
{
    return DataHome() + QStringLiteral("/mime/packages/") + QLatin1String(PackageFileName);
}

QString DesktopEntryPath()
{
    return DataHome() + QStringLiteral("/applications/") + QLatin1String(DesktopFileName);
}

QString OpenCommandFor(const QString &programPath)
{
    // Inside double quotes a desktop entry's Exec escapes " ` $ and \.
    QString quoted;
    for (const QChar c : programPath) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
            || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QStringLiteral("\" %f");
}

QString RegGetString(quint32 rootKey, const QString &subKey, const QString &valueName)
{
    if (rootKey != HkeyClassesRoot || !valueName.isEmpty())
        return {};
    const Key key = ParseKey(subKey);
    switch (key.kind) {
    case KeyKind::None:
        return {};
    case KeyKind::Extension: {
        if (const std::optional<Package> package = ReadPackage(); package && package->qrnGlob)
            return TypeNameOfMime(package->mimeName, {});
        return ExtensionTypeFromDesktop();
    }
    case KeyKind::Description:
    case KeyKind::Icon: {
        const std::optional<Package> package = ReadPackage();
        if (!package || package->mimeName != MimeTypeNameOf(key.typeName))
            return {};
        return key.kind == KeyKind::Description ? package->comment : package->icon;
    }
    case KeyKind::OpenCommand: {
        const std::optional<DesktopEntry> entry = ReadDesktopEntry();
        if (!entry || !ListsMimeType(entry->mimeType, MimeTypeNameOf(key.typeName)))
            return {};
        return entry->exec;
    }
    }
    return {};
}

bool RegSetString(quint32 rootKey, const QString &subKey, const QString &valueName,
                  const QString &value)
{
    if (rootKey != HkeyClassesRoot || !valueName.isEmpty())
        return false;
    const Key key = ParseKey(subKey);
    switch (key.kind) {
    case KeyKind::None:
        return false;
    case KeyKind::Extension: {
        if (!ValidTypeName(value))
            return false;
        Package package = PackageFor(value);
        if (package.mimeName != MimeTypeNameOf(value))
            package = Package{MimeTypeNameOf(value), {}, {}, false};
        package.qrnGlob = true;
        return WritePackage(package);
    }
    case KeyKind::Description:
    case KeyKind::Icon: {
        if (!ValidTypeName(key.typeName))
            return false;
        Package package = PackageFor(key.typeName);
        if (package.mimeName != MimeTypeNameOf(key.typeName))
            return false;  // the package already describes another type
        (key.kind == KeyKind::Description ? package.comment : package.icon) = value;
        if (!WritePackage(package))
            return false;
        if (key.kind == KeyKind::Icon) {
            // The desktop entry shows the same icon, when it exists already.
            if (std::optional<DesktopEntry> entry = ReadDesktopEntry();
                entry && ListsMimeType(entry->mimeType, package.mimeName)) {
                entry->icon = value;
                WriteDesktopEntry(*entry);
            }
        }
        return true;
    }
    case KeyKind::OpenCommand: {
        if (!ValidTypeName(key.typeName))
            return false;
        DesktopEntry entry = ReadDesktopEntry().value_or(DesktopEntry{});
        entry.exec = value;
        entry.mimeType = MimeTypeNameOf(key.typeName) + QLatin1Char(';');
        if (const std::optional<Package> package = ReadPackage();
            package && package->mimeName == MimeTypeNameOf(key.typeName) && !package->icon.isEmpty())
            entry.icon = package->icon;
        return WriteDesktopEntry(entry);
    }
    }
    return false;
}

namespace {

// The ".qrn2" type for the user, beside the ".qrn": its package (unless the
// desktop knows the type already, from the installed package) and a place
// in the desktop entry the ".qrn" registration made. Returns whether
// anything was written.
bool RegisterSheetFileType()
{
    bool wrote = false;
    const QString mime = QString::fromLatin1(SheetMimeName);
    const QMimeType known = QMimeDatabase().mimeTypeForFile(QStringLiteral("x.qrn2"), QMimeDatabase::MatchExtension);
    const QString packagePath = DataHome() + QStringLiteral("/mime/packages/") + QLatin1String(SheetPackageFileName);
    if (known.name() != mime && !QFileInfo::exists(packagePath)) {
        QByteArray bytes;
        QXmlStreamWriter xml(&bytes);
        xml.setAutoFormatting(true);
        xml.writeStartDocument();
        xml.writeDefaultNamespace(QLatin1String(MimeInfoNamespace));
        xml.writeStartElement(QLatin1String("mime-info"));
        xml.writeStartElement(QLatin1String("mime-type"));
        xml.writeAttribute(QLatin1String("type"), mime);
        xml.writeTextElement(QLatin1String("comment"), QStringLiteral("Quiren calculation sheet"));
        writeJapaneseComment(xml, QStringLiteral("壁量計算ファイル"));
        xml.writeEmptyElement(QLatin1String("sub-class-of"));
        xml.writeAttribute(QLatin1String("type"), QLatin1String("application/json"));
        xml.writeEmptyElement(QLatin1String("icon"));
        xml.writeAttribute(QLatin1String("name"), QLatin1String(QrnIconName));
        xml.writeEmptyElement(QLatin1String("glob"));
        xml.writeAttribute(QLatin1String("pattern"), QLatin1String("*.qrn2"));
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndDocument();
        wrote = WriteTextFile(packagePath, bytes);
    }
    // Only our own entry (the one that opens ".qrn" files) learns the type.
    std::optional<DesktopEntry> entry = ReadDesktopEntry();
    if (entry && ListsMimeType(entry->mimeType, MimeTypeNameOf(QLatin1String(QrnFileTypeName)))
        && !ListsMimeType(entry->mimeType, mime)) {
        entry->mimeType += mime + QLatin1Char(';');
        wrote = WriteDesktopEntry(*entry) || wrote;
    }
    return wrote;
}

// The installed package's desktop entry in one of the system's data folders
// ($XDG_DATA_DIRS, by default /usr/local/share and /usr/share), or empty.
QString InstalledDesktopEntry()
{
    QByteArray dirs = qgetenv("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = "/usr/local/share:/usr/share";
    const QString users = QFileInfo(DesktopEntryPath()).canonicalFilePath();
    for (const QByteArray &dir : dirs.split(':')) {
        if (dir.isEmpty())
            continue;
        const QFileInfo entry(QFile::decodeName(dir) + QStringLiteral("/applications/")
                              + QLatin1String(DesktopFileName));
        if (entry.isFile() && entry.canonicalFilePath() != users)
            return entry.filePath();
    }
    return {};
}

bool RemoveFile(const QString &path)
{
    return QFileInfo(path).isFile() && QFile::remove(path);
}

// An earlier start from a folder of the user's (a build folder) recorded
// the types for the user. Once the package is installed, that desktop entry
// of the same name would hide the installed one from the menu and open
// double-clicked files with the old program, and the user's type packages
// would describe the types in the installed ones' stead: they go. An entry
// the user or a menu editor has made their own is left. Returns whether
// anything was removed.
bool RemoveWhatAnInstalledPackageReplaces()
{
    bool removed = false;
    const QString ourType = MimeTypeNameOf(QLatin1String(QrnFileTypeName));
    if (const std::optional<DesktopEntry> entry = ReadDesktopEntry();
        entry && entry->onlyOurKeys && ListsMimeType(entry->mimeType, ourType))
        removed = RemoveFile(DesktopEntryPath()) || removed;
    if (const std::optional<Package> package = ReadPackage(); package && package->mimeName == ourType)
        removed = RemoveFile(FileTypePackagePath()) || removed;
    removed = RemoveFile(DataHome() + QStringLiteral("/mime/packages/") + QLatin1String(SheetPackageFileName))
              || removed;
    // The icon copied for the user, when it is still the program's own.
    const QString icon = DataHome() + QStringLiteral("/icons/hicolor/48x48/apps/")
                         + QLatin1String(QrnIconName) + QStringLiteral(".png");
    QFile own(ProgramIconPath());
    const ReadResult copied = ReadFileSafely(icon, MaxDesktopFileSize);
    if (copied && own.open(QIODevice::ReadOnly) && own.readAll() == copied.bytes)
        removed = RemoveFile(icon) || removed;
    return removed;
}

void RefreshDesktopCaches()
{
    RunQuietly(QStringLiteral("update-mime-database"), {DataHome() + QStringLiteral("/mime")});
    RunQuietly(QStringLiteral("update-desktop-database"), {DataHome() + QStringLiteral("/applications")});
}

} // namespace

void RegisterFileType(const QString &programPath)
{
    // The installed package records the types for everyone; the user's own
    // record would only ever compete with it.
    if (!InstalledDesktopEntry().isEmpty()) {
        if (RemoveWhatAnInstalledPackageReplaces())
            RefreshDesktopCaches();
        return;
    }
    const QString root = QString::fromLatin1(QrnExtensionKey);
    if (!RegGetString(HkeyClassesRoot, root, {}).isEmpty()) {
        if (RegisterSheetFileType())
            RefreshDesktopCaches();
        return;
    }

    const QString typeName = QString::fromLatin1(QrnFileTypeName);
    RegSetString(HkeyClassesRoot, root, {}, typeName);
    RegSetString(HkeyClassesRoot, typeName, {}, Str(S::FileTypeDescription));
    RegSetString(HkeyClassesRoot, typeName + QStringLiteral("/DefaultIcon"), {},
                 QString::fromLatin1(QrnIconName));
    RegSetString(HkeyClassesRoot, typeName + QStringLiteral("/shell/open/command"), {},
                 OpenCommandFor(programPath));
    RegisterSheetFileType();

    InstallIcon();
    RefreshDesktopCaches();
}

} // namespace quiren
