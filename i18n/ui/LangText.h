#pragma once
// A message's text in one interface language, for the window layer. An index
// outside 0..2 (a language not yet chosen) reads as Russian, the first.

#include <QString>

#include "i18n/Messages.h"

namespace ampora::ui {

inline QString LangText(const LangTexts& texts, int language) {
    return QString::fromUtf8(texts[size_t(language >= 0 && language <= 2 ? language : 0)]);
}

}  // namespace ampora::ui
