#include "core/settings/SettingsStore.h"

#include "core/settings/IniText.h"

#include "core/io/SystemError.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

#include <QDir>

#include <QFile>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QMutex>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

#include <cmath>
#include <map>
#include <memory>
#include <utility>

#include <sys/stat.h>

namespace quiren {

namespace {

QString keyPath(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

// A stored value as text. A value someone typed into the file by hand with
// a bare comma comes back as a list; it is joined again.
QString variantText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

QString appName() { return QString::fromLatin1(AppTitle); }

// A free name beside `path` for a copy of an unreadable settings file:
// "<path>.unreadable", then "<path>.unreadable2", 3, ...
QString CopyName(const QString &path)
{
    const QString base = path + QStringLiteral(".unreadable");
    QString name = base;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = base + QString::number(n);
    return name;
}

// Settings files found to hold lines that are not INI in this run, with
// their size and time then. QSettings reports the error only to the object
// that parsed the file; later objects share the cached contents and report
// nothing until the file changes.
struct FileStamp {
    qint64 size = -1;
    QDateTime modified;
    bool operator==(const FileStamp &) const = default;
};
QHash<QString, FileStamp> &unreadableFiles()
{
    static QHash<QString, FileStamp> files;
    return files;
}

FileStamp stampOf(const QString &path)
{
    const QFileInfo info(path);
    return {info.size(), info.lastModified()};
}

// The settings files' format, with no skipped lines noted yet: a settings
// object reads its files as it is made.
QSettings::Format freshFormat()
{
    (void)TakeSkippedIniLines();
    return IniTextFormat();
}

// A settings object that remembers an unreadable file.
struct Store : QSettings {
    explicit Store(const QString &application)
        : QSettings(freshFormat(), QSettings::UserScope, application, application)
    {
        if (TakeSkippedIniLines())
            unreadableFiles().insert(fileName(), stampOf(fileName()));
    }
    bool unreadable() const
    {
        const auto found = unreadableFiles().constFind(fileName());
        return found != unreadableFiles().cend() && *found == stampOf(fileName());
    }
};

// The settings file of an application as QSettings names it (following
// QSettings::setPath), found without touching the file itself: a settings
// object reads its file as soon as it is made. An application no one has,
// under the same organisation, lives in the same folder.
//
// Found once per application: making the probe looked up and read several
// files, and every value read asked for the path. Qt fixes the folders at
// the first settings object; only SetSettingsFolder moves them.
QMutex settingsPathMutex;
QHash<QString, QString> settingsPaths;

QString SettingsFilePath(const QString &application)
{
    const QMutexLocker lock(&settingsPathMutex);
    QHash<QString, QString> &paths = settingsPaths;
    if (const auto known = paths.constFind(application); known != paths.cend())
        return *known;
    const QSettings probe(IniTextFormat(), QSettings::UserScope, application,
                          QStringLiteral("quiren-settings-path"));
    const QString path = QFileInfo(probe.fileName()).absolutePath() + QLatin1Char('/') + application
                         + QStringLiteral(".ini");
    paths.insert(application, path);
    return path;
}

// What a settings file is now, by its name only (it is never opened here).
struct FileState {
    bool exists = false;
    bool regular = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    qint64 modifiedNs = 0;
    bool operator==(const FileState &) const = default;
};

FileState stateOf(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {true, S_ISREG(info.st_mode), info.st_dev, info.st_ino, info.st_size,
            static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

// The settings of one application, parsed once and again only when the file
// changes (its size, time or inode): parsing a large file for every value
// read made each start slow. (A file rewritten to the same size within the
// same tick of the file system's clock looks unchanged, to QSettings too.)
// A file that is not a regular file (a FIFO would keep the program waiting
// for ever) or is far too large is never handed to QSettings; its settings
// read as their defaults and nothing is written over it.
struct CachedStore {
    QString path;
    FileState state;
    std::unique_ptr<Store> store;
    QString problem;
};

// Never destroyed: the settings objects must not outlive Qt's own tables at
// exit.
std::map<QString, CachedStore> &stores()
{
    static auto *all = new std::map<QString, CachedStore>;
    return *all;
}

Store *storeOf(const QString &application)
{
    const QString path = SettingsFilePath(application);
    const FileState state = stateOf(path);
    CachedStore &cached = stores()[application];
    if (cached.path == path && cached.state == state && (cached.store || !cached.problem.isEmpty()))
        return cached.store.get();
    cached.path = path;
    cached.state = state;
    cached.store.reset();
    cached.problem.clear();
    if (state.exists && !state.regular)
        cached.problem = Str(S::NotRegularFileRead).arg(QDir::toNativeSeparators(path));
    else if (state.size > MaxSettingsFileSize)
        cached.problem = Str(S::FileTooLarge).arg(QDir::toNativeSeparators(path), QString::number(MaxSettingsFileSize));
    else
        cached.store = std::make_unique<Store>(application);
    return cached.store.get();
}

// The first write that failed since TakeSettingsWriteProblem last asked.
QString &writeProblem()
{
    static QString problem;
    return problem;
}

// After a write the file has changed under the store's own hands: what it
// holds is what the store holds. A write that did not reach the file (a home
// folder that cannot be written) is noted with its reason: the value lives
// only in memory until the program ends.
void noteWritten(const QString &application, const Store &store)
{
    CachedStore &cached = stores()[application];
    cached.state = stateOf(cached.path);
    if (store.status() == QSettings::AccessError && writeProblem().isEmpty()) {
        writeProblem() = Str(S::SettingsNotStored)
                             .arg(QDir::toNativeSeparators(store.fileName()),
                                  SystemErrorText(WriteBlocker(store.fileName())));
    }
}

// Copies the file of `store` aside when it holds lines that are not INI
// (see KeepUnreadableSettings); the path of the copy, or empty.
QString KeepWhenUnreadable(const Store &store)
{
    if (!store.unreadable())
        return QString();
    const QString path = store.fileName();
    const QString copy = CopyName(path);
    if (!QFile::copy(path, copy))
        return QString();
    unreadableFiles().remove(path);
    return copy;
}

QString settingsSection() { return QString::fromLatin1(SectionSettings); }

// A whole number in [low, high], or `fallback` for anything else.
int boundedInteger(const QString &text, int low, int high, int fallback)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value) || value != std::floor(value) || value < low || value > high)
        return fallback;
    return static_cast<int>(value);
}

// A single-precision number; `fallback` when the text is not one.
float singleValue(const QString &text, float fallback, bool positive)
{
    bool ok = false;
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    const float value = c.toFloat(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value) || (positive && value <= 0.0f))
        return fallback;
    return value;
}

} // namespace

void SetSettingsFolder(const QString &folder)
{
    const QMutexLocker lock(&settingsPathMutex);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    QSettings::setPath(IniTextFormat(), QSettings::UserScope, folder);
    settingsPaths.clear();
}

QString ReadSetting(const QString &application, const QString &section, const QString &key,
                    const QString &defaultText)
{
    Store *store = storeOf(application);
    if (!store)
        return defaultText;
    const QVariant value = store->value(keyPath(section, key));
    if (!value.isValid())
        return defaultText;
    return variantText(value);
}

void WriteSetting(const QString &application, const QString &section, const QString &key,
                  const QString &text)
{
    // The macro's settings belong to the macro.
    if (application.compare(QLatin1String(TslyApplication), Qt::CaseInsensitive) == 0)
        return;
    Store *store = storeOf(application);
    if (!store)
        return;
    // Writing rewrites the file from what QSettings could read of it: a file
    // with lines that are not INI is first copied aside whole.
    KeepWhenUnreadable(*store);
    // A value the file already holds is not written again: every write
    // rewrites the whole file and waits for the disk, and "AppPath" is
    // written at every start.
    const QVariant current = store->value(keyPath(section, key));
    if (current.typeId() == QMetaType::QString && current.toString() == text
        && store->status() != QSettings::AccessError)
        return;
    store->setValue(keyPath(section, key), text);
    store->sync();
    noteWritten(application, *store);
}

void DeleteSetting(const QString &application, const QString &section, const QString &key)
{
    if (application.compare(QLatin1String(TslyApplication), Qt::CaseInsensitive) == 0)
        return;
    Store *store = storeOf(application);
    if (!store)
        return;
    KeepWhenUnreadable(*store);
    store->remove(keyPath(section, key));
    store->sync();
    noteWritten(application, *store);
}

QString TakeSettingsWriteProblem()
{
    return std::exchange(writeProblem(), QString());
}

QString KeepUnreadableSettings(const QString &application)
{
    const Store *store = storeOf(application);
    return store ? KeepWhenUnreadable(*store) : QString();
}

QString SettingsFileProblem(const QString &application)
{
    storeOf(application);
    return stores()[application].problem;
}

SettingPairs ReadSection(const QString &application, const QString &section)
{
    SettingPairs pairs;
    Store *store = storeOf(application);
    if (!store)
        return pairs;
    store->beginGroup(section);
    const QStringList keys = store->childKeys();
    for (const QString &key : keys)
        pairs.append({key, variantText(store->value(key))});
    store->endGroup();
    return pairs;
}

QString ReadQuiren(const QString &section, const QString &key, const QString &defaultText)
{
    return ReadSetting(appName(), section, key, defaultText);
}

void WriteQuiren(const QString &section, const QString &key, const QString &text)
{
    WriteSetting(appName(), section, key, text);
}

QString ReadTsly(const QString &key, const QString &defaultText)
{
    return ReadSetting(QString::fromLatin1(TslyApplication), QString::fromLatin1(TslySection), key,
                       defaultText);
}

QString BoolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool BoolFromText(const QString &text, bool fallback)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 || t == QLatin1String("1")
        || t == QLatin1String("-1"))
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 || t == QLatin1String("0"))
        return false;
    return fallback;
}

namespace {

// An on/off option of the settings section; on unless the file says off.
bool readOption(const char *key)
{
    return BoolFromText(ReadQuiren(settingsSection(), QLatin1String(key)), true);
}

void writeOption(const char *key, bool value)
{
    WriteQuiren(settingsSection(), QLatin1String(key), BoolText(value));
}

} // namespace

int ReadWallCoefficient()
{
    return boundedInteger(ReadQuiren(settingsSection(), QStringLiteral("WallCoefficeient")),
                          WallCoefficientMin, WallCoefficientMax, WallCoefficientDefault);
}

void WriteWallCoefficient(int value)
{
    WriteQuiren(settingsSection(), QStringLiteral("WallCoefficeient"), QString::number(value));
}

bool ReadPafKind()
{
    return readOption("PafKind");
}

void WritePafKind(bool value)
{
    writeOption("PafKind", value);
}

RuleSetKind ReadNewSheetRules()
{
    const QString key = ReadQuiren(settingsSection(), QStringLiteral("NewSheetRules"));
    if (const std::optional<RuleSetKind> rules = RuleSetFromKey(key.trimmed()))
        return *rules;
    return readOption("NewSheet2025") ? RuleSetKind::Rules2025 : RuleSetKind::Old;
}

void WriteNewSheetRules(RuleSetKind rules)
{
    WriteQuiren(settingsSection(), QStringLiteral("NewSheetRules"), RuleSetKey(rules));
}

int ReadModule()
{
    return boundedInteger(ReadQuiren(settingsSection(), QStringLiteral("Mod")), 0, 3, 0);
}

void WriteModule(int value)
{
    WriteQuiren(settingsSection(), QStringLiteral("Mod"), QString::number(value));
}

bool ReadOnList()
{
    return readOption("OnList");
}

void WriteOnList(bool value)
{
    writeOption("OnList", value);
}

MainPlacement ReadMainPlacement()
{
    const MainPlacement defaults;
    MainPlacement p;
    const QString s = settingsSection();
    p.left = singleValue(ReadQuiren(s, QStringLiteral("MainLeft")), defaults.left, false);
    p.top = singleValue(ReadQuiren(s, QStringLiteral("MainTop")), defaults.top, false);
    p.width = singleValue(ReadQuiren(s, QStringLiteral("MainWidth")), defaults.width, true);
    p.height = singleValue(ReadQuiren(s, QStringLiteral("MainHeight")), defaults.height, true);
    return p;
}

void WriteMainPlacement(const MainPlacement &placement)
{
    const QString s = settingsSection();
    WriteQuiren(s, QStringLiteral("MainLeft"), SingleText(placement.left));
    WriteQuiren(s, QStringLiteral("MainTop"), SingleText(placement.top));
    WriteQuiren(s, QStringLiteral("MainWidth"), SingleText(placement.width));
    WriteQuiren(s, QStringLiteral("MainHeight"), SingleText(placement.height));
}

QString ReadAppPath()
{
    return ReadQuiren(settingsSection(), QStringLiteral("AppPath"));
}

void WriteAppPath(const QString &folder)
{
    WriteQuiren(settingsSection(), QStringLiteral("AppPath"), folder);
}

QString ReadJwPath(const QString &)
{
    const QString stored = ReadQuiren(settingsSection(), QStringLiteral("JW_Path"));
    // An empty folder would send the file wherever the program happens to
    // run; the program's own folder is /usr/bin once installed.
    if (stored.trimmed().isEmpty()) {
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            folder = QDir::homePath();
        return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    }
    return stored;
}

void WriteJwPath(const QString &folder)
{
    WriteQuiren(settingsSection(), QStringLiteral("JW_Path"), folder);
}

} // namespace quiren
