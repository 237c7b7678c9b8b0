#pragma once

#include "core/settings/AppData.h"

#include <QString>

#include <optional>

// The companion brace-calculation macro keeps the same office data in its own
// settings (application "Tsly", section "suji"). The options window can take
// them over so the user need not type them twice. They are only ever read.
namespace quiren {

// The macro's office data as an office record: Type "True" for a first-class
// architect ("Type" reads as the number 1), "False" for any other number and
// for a text that is not a number; Print "1" only when "print" is exactly
// "yes". Empty when the macro's data are absent ("OfficeName" missing or empty).
std::optional<OfficeData> ReadMacroOfficeData();

// What the user is told when the macro's data are absent (two lines).
QString MacroAbsentMessage();

} // namespace quiren
