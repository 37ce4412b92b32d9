#pragma once

class QLineEdit;

// The key filter of the money boxes: only the digits, "-" and "." are taken
// (Backspace and the other editing keys work as usual); every other character,
// typed, pasted or from an input method, is refused. The form of the number
// is checked only when it is converted.
namespace amountkeyfilter {

void install(QLineEdit *box);

} // namespace amountkeyfilter
