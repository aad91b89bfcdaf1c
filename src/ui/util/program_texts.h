// The texts of the program's windows: the program's language and its text table, set once when the
// windows start, and one way for every window to take a text from them.
#pragma once

#include <QString>

#include "app/language_table.h"

namespace wexbo {

void SetProgramTexts(const Texts& texts);
const Texts& ProgramTexts();

// The text of the number in the program's language ("" when the table lacks it).
QString Text(int number);
// The text of the number, or the design text when the language file lacks it.
QString TextOr(int number, const char* designText);

}  // namespace wexbo
