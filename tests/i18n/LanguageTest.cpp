#include "i18n/Language.h"

#include <gtest/gtest.h>

#include "i18n/Messages.h"

using namespace ampora;

namespace {

struct Encodings {
    Language language;
    int textIndex;
    int32_t settingsCode;
    const char* tag;
    const char* option;         // the command line's --language
    const char* noSavedCurves;  // a message's text in it
};

const Encodings Rows[] = {
    {Language::Russian, 0, 0, "Rus", "rus", "Сохранённых кривых нет"},
    {Language::English, 1, 2, "Eng", "eng", "No saved curves"},
    {Language::Belarusian, 2, 1, "Bel", "bel", "Захаваных крывых няма"},
};

TEST(LanguageEncodingTest, EachLanguageHasItsThreeEncodingsBothWays) {
    for (const Encodings& r : Rows) {
        SCOPED_TRACE(r.tag);
        EXPECT_EQ(TextIndex(r.language), r.textIndex);
        EXPECT_EQ(LanguageOfTextIndex(r.textIndex), r.language);
        EXPECT_EQ(SettingsCode(r.language), r.settingsCode);
        EXPECT_EQ(LanguageOfSettingsCode(r.settingsCode), r.language);
        EXPECT_EQ(LanguageTag(r.language), r.tag);
        EXPECT_EQ(LanguageOfTag(r.tag), r.language);
        EXPECT_EQ(LanguageOfOption(r.option), r.language);
        EXPECT_STREQ(TextIn(MsgNoSavedCurves, r.language), r.noSavedCurves);
    }
}

// A settings record or an index from outside holds anything: what names no
// language reads as Russian, and no other name is a language.
TEST(LanguageEncodingTest, WhatNamesNoLanguage) {
    for (int32_t outside : {-1, 3, 7, INT32_MIN}) {
        EXPECT_EQ(LanguageOfSettingsCode(outside), Language::Russian) << outside;
        EXPECT_EQ(LanguageOfTextIndex(outside), Language::Russian) << outside;
    }
    for (const char* tag : {"", "rus", "ENG", "Be", "Bela", "Ukr"})
        EXPECT_EQ(LanguageOfTag(tag), std::nullopt) << tag;
    for (const char* option : {"", "Rus", "RUS", "en", "bell", "ukr"})
        EXPECT_EQ(LanguageOfOption(option), std::nullopt) << option;
}

}  // namespace
