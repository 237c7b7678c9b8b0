#pragma once

#include <QSettings>

// The settings files' own format: the INI files QSettings has always
// written for this program, read and written with every value kept as text.
//
// QSettings' INI format turns values of the form "@Variant(...)",
// "@DateTime(...)", "@ByteArray(...)", "@Rect(...)", "@Size(...)" and
// "@Point(...)" into typed values; a "@Variant" stream decodes whatever
// sizes it claims, so a damaged or hostile file could make it allocate
// gigabytes. The program only ever stores texts, so here such a value stays
// the text it is (in a list too, where QSettings would make the whole value
// a list of typed values), and everything else reads exactly as QSettings'
// INI format reads it: sections ("[General]" for the keys outside any), keys with their
// "%XX" and "%UXXXX" escapes, values with quotes, backslash escapes,
// continued lines, bare commas (a list), comments after ";", texts in UTF-8
// or as "\x" escapes, "@@" for a text starting with "@", "@String(...)" and
// "@Invalid()".
//
// What is written is read back the same by QSettings' INI format: a text
// that starts with "@" is written with "@@", so no other reader takes it for
// a typed value either.
namespace quiren {

// The format, registered with QSettings on first use; files keep the
// extension ".ini" and the places QSettings gives INI files.
QSettings::Format IniTextFormat();

// Reads every line it can. Lines that are not INI are skipped, as QSettings'
// INI format skips them; the reader still succeeds (QSettings would drop a
// failed read whole) and TakeSkippedIniLines tells of them.
bool ReadIniText(QIODevice &device, QSettings::SettingsMap &map);
bool WriteIniText(QIODevice &device, const QSettings::SettingsMap &map);

// Whether a file read in this thread since the last call held lines that
// are not INI; the call forgets it.
bool TakeSkippedIniLines();

} // namespace quiren
