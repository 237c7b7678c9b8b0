#pragma once

#include <QString>

// The program's version as its windows show it.
namespace quiren {

int VersionMajor();
int VersionMinor();
int VersionRevision();

// "Version 2.0" (splash window).
QString ShortVersionText();
// "Version 2.0.7 - Tessaly" (about window).
QString LongVersionText();

} // namespace quiren
