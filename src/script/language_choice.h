// Language tags on section headers ("[Title.de-CH]"), and the choice, made once at
// start-up, of the one language of a script that the user reads.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A language that a script's sections are tagged with ("[Title.de]"), and the lines
// that its multi-line sections have taken: each language has the limit of its own.
struct ScriptLanguage {
    std::string tag;  // as the script first writes it
    int nMessageLines = 0;
    int nRegTextLines = 0;
};

// The script's language of this tag, compared without regard to ASCII case; null if none.
const ScriptLanguage* FindLanguage(const std::vector<ScriptLanguage>& languages, const std::string& tag);

// True when the nLength bytes at psz are a language tag: subtags of ASCII letters
// and digits joined by single hyphens, the first one (the language) of letters.
bool IsLanguageTag(const char* psz, std::size_t nLength);

// The script that text of this tag is written in, for a language written in more than
// one: the tag's own script subtag ("sr-Latn-RS" gives "Latn"), else the one its region
// uses ("zh-TW" gives "Hant", "zh-CN" and plain "zh" give "Hans"). Empty for a language
// of one script that names none.
std::string ScriptOf(const std::string& tag);

// The tags whose sections a reader of this tag takes, most specific first: the tag
// itself; for a language written in more than one script and a tag that names none,
// the tag with the script of its region, down to the language and script ("zh-TW" gives
// "zh-Hant-TW", "zh-Hant"); then the tag cut at each last hyphen down to the language
// alone ("zh").
std::vector<std::string> LanguageFallbacks(const std::string& tag);

// The script's tag, of those of its languages (in the order of their first sections),
// for a user who reads userLanguages, most wanted first. For each user language in
// turn: its fallbacks (LanguageFallbacks), then the first tag of the same language
// and the same script, then the first tag of the same language; the first that the
// script has wins, whatever the order of its sections. Empty when the script has none
// of the user's languages. Tags compare without regard to ASCII case.
std::string ChooseLanguage(const std::vector<std::string>& userLanguages, const std::vector<ScriptLanguage>& languages);
