// The script's language for the user's list of languages.
#include "script/language_choice.h"

#include "platform/afx_text.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The language subtag: the tag up to its first hyphen.
std::string LanguageOf(const std::string& tag) { return tag.substr(0, tag.find('-')); }

}  // namespace

const ScriptLanguage* FindLanguage(const std::vector<ScriptLanguage>& languages, const std::string& tag)
{
    for (const ScriptLanguage& language : languages) {
        if (AfxEqualNoCaseAscii(language.tag.c_str(), tag.c_str())) {
            return &language;
        }
    }
    return nullptr;
}

bool IsLanguageTag(const char* psz, std::size_t nLength)
{
    bool bLanguage = true;       // still in the first subtag
    std::size_t nSubtag = 0;     // characters of the subtag so far
    for (std::size_t i = 0; i < nLength; ++i) {
        const char c = psz[i];
        if (c == '-') {
            if (nSubtag == 0) {
                return false;
            }
            bLanguage = false;
            nSubtag = 0;
        } else if (IsAsciiLetter(c) || (!bLanguage && c >= '0' && c <= '9')) {
            ++nSubtag;
        } else {
            return false;
        }
    }
    return nSubtag != 0;
}

bool ShortenLanguageTag(std::string* pTag)
{
    const std::size_t nHyphen = pTag->rfind('-');
    if (nHyphen == std::string::npos) {
        return false;
    }
    pTag->resize(nHyphen);
    return true;
}

std::string ChooseLanguage(const std::vector<std::string>& userLanguages, const std::vector<ScriptLanguage>& languages)
{
    for (const std::string& user : userLanguages) {
        std::string tag = user;
        do {
            if (const ScriptLanguage* pFound = FindLanguage(languages, tag)) {
                return pFound->tag;
            }
        } while (ShortenLanguageTag(&tag));
        for (const ScriptLanguage& language : languages) {
            if (AfxEqualNoCaseAscii(LanguageOf(language.tag).c_str(), tag.c_str())) {
                return language.tag;
            }
        }
    }
    return {};
}
