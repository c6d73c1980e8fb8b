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

// Cuts the tag before its last hyphen ("de-CH" becomes "de"); false, and no change,
// when the tag is the language alone.
bool ShortenLanguageTag(std::string* pTag);

// The script's tag, of those of its languages (in the order of their first sections),
// for a user who reads userLanguages, most wanted first. For each user language in
// turn: the same tag, then the tag shortened at its last hyphen down to the language
// alone, then the first tag of the same language; the first that the script has wins.
// Empty when the script has none of the user's languages. Tags compare without
// regard to ASCII case.
std::string ChooseLanguage(const std::vector<std::string>& userLanguages, const std::vector<ScriptLanguage>& languages);
