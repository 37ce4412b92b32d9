#pragma once

#include <QString>

namespace loginrules {

// The login's password comparison: equal length, the Latin letters A to Z
// compared without regard to case, every other character exactly.
bool passwordsMatch(const QString &typed, const QString &stored);

// The fifth wrong password of a run ends the program.
constexpr int kMaxWrongPasswords = 4;

} // namespace loginrules
