#pragma once
// The three interface languages, and the three ways the program writes one
// down: the column of the text table and of every message, the code the
// settings record keeps, and the three-letter name of the language commands.
// Everything else holds a Language and converts only here.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace ampora {

// In the order of the text table's columns and of every message's texts.
enum class Language : uint8_t { Russian, English, Belarusian };

inline constexpr std::array<Language, 3> Languages = {Language::Russian, Language::English,
                                                      Language::Belarusian};

// The column of the text table and the index into a message's texts:
// 0 Russian, 1 English, 2 Belarusian.
constexpr int TextIndex(Language l) { return static_cast<int>(l); }
// An index outside 0..2 (no language chosen yet) reads as Russian, the first.
constexpr Language LanguageOfTextIndex(int index) {
    return index == 1 ? Language::English : index == 2 ? Language::Belarusian : Language::Russian;
}

// The settings record's code: 0 Russian, 1 Belarusian, 2 English.
constexpr int32_t SettingsCode(Language l) {
    return l == Language::Belarusian ? 1 : l == Language::English ? 2 : 0;
}
// A code outside 0..2 reads as Russian.
constexpr Language LanguageOfSettingsCode(int32_t code) {
    return code == 1 ? Language::Belarusian : code == 2 ? Language::English : Language::Russian;
}

// "Rus", "Eng", "Bel".
constexpr std::string_view LanguageTag(Language l) {
    return l == Language::English ? "Eng" : l == Language::Belarusian ? "Bel" : "Rus";
}
constexpr std::optional<Language> LanguageOfTag(std::string_view tag) {
    for (Language l : Languages)
        if (LanguageTag(l) == tag) return l;
    return std::nullopt;
}

// The command line's --language value: "rus", "eng", "bel".
constexpr std::optional<Language> LanguageOfOption(std::string_view value) {
    for (Language l : Languages) {
        const std::string_view tag = LanguageTag(l);
        if (value.size() == tag.size() && value[0] == tag[0] - 'A' + 'a' &&
            value.substr(1) == tag.substr(1))
            return l;
    }
    return std::nullopt;
}

// One text of a message (i18n/Messages.h) in language l.
constexpr const char* TextIn(const std::array<const char*, 3>& texts, Language l) {
    return texts[size_t(TextIndex(l))];
}

}  // namespace ampora
