#include "util/program_texts.h"

namespace wexbo {

namespace {

// Set before the first window opens and read on the windows' thread only; work on other threads
// is handed a copy.
Texts& Current() {
    static Texts texts;
    return texts;
}

}  // namespace

void SetProgramTexts(const Texts& texts) { Current() = texts; }

const Texts& ProgramTexts() { return Current(); }

QString Text(int number) { return QString::fromStdString(Current()(number)); }

QString TextOr(int number, const char* designText) {
    const QString text = Text(number);
    return text.isEmpty() ? QString::fromUtf8(designText) : text;
}

}  // namespace wexbo
