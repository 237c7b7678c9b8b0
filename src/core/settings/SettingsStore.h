#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include "core/calc/RuleSet.h"

// The per-user settings store: text values addressed by (application,
// section, key), kept in $XDG_CONFIG_HOME/<application>/<application>.ini.
// Every value is stored and read as text, never as a number or a Boolean.
namespace quiren {

// The program's own application name, and the sections it uses.
inline constexpr char AppTitle[] = "Quiren";
inline constexpr char SectionSettings[] = "Settings";
inline constexpr char SectionOfficeData[] = "OfficeData";
inline constexpr char SectionOpenFiles[] = "OpenFiles";

// The companion brace-calculation macro's settings: only ever read.
inline constexpr char TslyApplication[] = "Tsly";
inline constexpr char TslySection[] = "suji";

using SettingPairs = QList<QPair<QString, QString>>;

// Puts every application's settings file under `folder` (QSettings::setPath
// for the user's INI files). The files' paths are found once and kept, so
// the folder is moved only through here.
void SetSettingsFolder(const QString &folder);

// (application, section, key, default) -> text; a missing key gives the default.
QString ReadSetting(const QString &application, const QString &section, const QString &key,
                    const QString &defaultText = QString());
void WriteSetting(const QString &application, const QString &section, const QString &key,
                  const QString &text);
// Removes one key (nothing happens when it is missing).
void DeleteSetting(const QString &application, const QString &section, const QString &key);
// The first setting that could not be written since the last call, as the
// user reads it ("設定を保存できません：<file>（<reason>）"); empty when every
// write went through. The call forgets it.
QString TakeSettingsWriteProblem();
// Lines of a settings file that are not INI are skipped when it is read,
// and the next write would rewrite the file without them. Copies such a file
// to "<file>.unreadable" (numbered when that name is taken) and returns the
// copy's path; an empty text when the file reads cleanly, is missing, or
// could not be copied. WriteSetting and DeleteSetting do the same before
// they write.
QString KeepUnreadableSettings(const QString &application);

// A settings file is a few kilobytes; one larger than this is not read.
inline constexpr qint64 MaxSettingsFileSize = 4 * 1024 * 1024;

// Why the settings file of `application` is not read at all, or an empty
// text: a file that is not a regular file (a FIFO, a device) or is larger
// than MaxSettingsFileSize. Its settings then read as their defaults, and
// nothing is written over it. The file is parsed once and read again only
// when it changes.
QString SettingsFileProblem(const QString &application);

// Every key of a section with its text, in the order the store keeps them.
SettingPairs ReadSection(const QString &application, const QString &section);

// Shorthands for application "Quiren".
QString ReadQuiren(const QString &section, const QString &key, const QString &defaultText = QString());
void WriteQuiren(const QString &section, const QString &key, const QString &text);

// The macro's section "suji" of application "Tsly" (read only; nothing in
// the program can write there).
QString ReadTsly(const QString &key, const QString &defaultText = QString());

// Boolean texts: "True"/"False" are written; reading accepts them in any
// case, and also "1", "0" and "-1". Anything else gives `fallback`.
QString BoolText(bool value);
bool BoolFromText(const QString &text, bool fallback);

// ---- Typed keys of section "Settings" of application "Quiren" --------------
// A stored value of the wrong kind reads as the key's default.

// "WallCoefficeient": integer 51..75 (cm per m2), default 51.
inline constexpr int WallCoefficientDefault = 51;
inline constexpr int WallCoefficientMin = 51;
inline constexpr int WallCoefficientMax = 75;
int ReadWallCoefficient();
void WriteWallCoefficient(int value);

// "PafKind": True = directions named after the walls they are parallel to.
bool ReadPafKind();
void WritePafKind(bool value);

// "NewSheetRules": the rule set new sheets follow, by its key ("2025", the
// default, or "old"). A settings file of an earlier version holds the
// boolean "NewSheet2025" instead, which is read while "NewSheetRules" is
// absent.
RuleSetKind ReadNewSheetRules();
void WriteNewSheetRules(RuleSetKind rules);
// The same as a boolean, for the callers that still ask "2025 or not".
inline bool ReadNewSheet2025() { return ReadNewSheetRules() == RuleSetKind::Rules2025; }
inline void WriteNewSheet2025(bool value) { WriteNewSheetRules(value ? RuleSetKind::Rules2025 : RuleSetKind::Old); }

// "Mod": planning module 0..3, default 0.
int ReadModule();
void WriteModule(int value);

// "OnList": lengths are picked from a list, default True.
bool ReadOnList();
void WriteOnList(bool value);

// "MainLeft", "MainTop", "MainWidth", "MainHeight": twips, single precision.
struct MainPlacement {
    float left = 1000.0f;
    float top = 1000.0f;
    float width = 11000.0f;
    float height = 8000.0f;
};
MainPlacement ReadMainPlacement();
void WriteMainPlacement(const MainPlacement &placement);

// "AppPath": the program folder (no trailing "/"); empty when never written.
QString ReadAppPath();
void WriteAppPath(const QString &folder);

// "JW_Path": folder of the JW-CAD file, ending in "/"; by default the
// user's documents folder (the home folder when there is none), never the
// program's folder, which an installed program's user cannot write to.
QString ReadJwPath(const QString &programFolder);
void WriteJwPath(const QString &folder);

} // namespace quiren
