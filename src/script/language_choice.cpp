// The script's language for the user's list of languages.
#include "script/language_choice.h"

#include "afx/text.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The language subtag: the tag up to its first hyphen.
std::string LanguageOf(const std::string& tag) { return tag.substr(0, tag.find('-')); }

// Languages written in more than one script: the script of each region that writes it
// otherwise than most, then the language's usual script (no region).
struct UsualScript {
    char szLanguage[3];
    char szRegion[3];
    char szScript[5];
};

const UsualScript kUsualScripts[] = {
    {"zh", "TW", "Hant"}, {"zh", "HK", "Hant"}, {"zh", "MO", "Hant"}, {"zh", "", "Hans"},
    {"sr", "ME", "Latn"}, {"sr", "", "Cyrl"},
    {"bs", "", "Latn"},
    {"uz", "AF", "Arab"}, {"uz", "", "Latn"},
    {"az", "IR", "Arab"}, {"az", "", "Latn"},
};

// The subtag after the language: its script (four letters) or else, where the tag has
// one, its region; empty for the language alone.
std::string SecondSubtag(const std::string& tag)
{
    const std::size_t nStart = tag.find('-');
    return nStart == std::string::npos ? "" : tag.substr(nStart + 1, tag.find('-', nStart + 1) - nStart - 1);
}

bool IsScriptSubtag(const std::string& subtag) { return subtag.size() == 4 && IsAsciiLetter(subtag[0]); }

// Cuts the tag before its last hyphen ("de-CH" becomes "de"); false, and no change,
// when the tag is the language alone.
bool ShortenLanguageTag(std::string* pTag)
{
    const std::size_t nHyphen = pTag->rfind('-');
    if (nHyphen == std::string::npos) {
        return false;
    }
    pTag->resize(nHyphen);
    return true;
}

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

std::string ScriptOf(const std::string& tag)
{
    const std::string second = SecondSubtag(tag);
    if (IsScriptSubtag(second)) {
        return second;
    }
    const std::string language = LanguageOf(tag);
    for (const UsualScript& usual : kUsualScripts) {
        if (AfxEqualNoCaseAscii(usual.szLanguage, language.c_str()) &&
            (usual.szRegion[0] == '\0' || AfxEqualNoCaseAscii(usual.szRegion, second.c_str()))) {
            return usual.szScript;
        }
    }
    return {};
}

std::vector<std::string> LanguageFallbacks(const std::string& tag)
{
    std::vector<std::string> tags{tag};
    const std::string script = ScriptOf(tag);
    if (!script.empty() && !IsScriptSubtag(SecondSubtag(tag))) {
        // The tag with its script after the language, down to the two: it has a
        // script, so none of these is the tag or one of its own shorter forms.
        const std::size_t nLanguage = LanguageOf(tag).size();
        std::string full = tag;
        full.insert(nLanguage, "-" + script);
        do {
            tags.push_back(full);
        } while (full.size() > nLanguage + 1 + script.size() && ShortenLanguageTag(&full));
    }
    std::string shorter = tag;
    while (ShortenLanguageTag(&shorter)) {
        tags.push_back(shorter);
    }
    return tags;
}

std::string ChooseLanguage(const std::vector<std::string>& userLanguages, const std::vector<ScriptLanguage>& languages)
{
    for (const std::string& user : userLanguages) {
        for (const std::string& tag : LanguageFallbacks(user)) {
            if (const ScriptLanguage* pFound = FindLanguage(languages, tag)) {
                return pFound->tag;
            }
        }
        // Another region of the language: the first of the user's script, else the
        // first of another, where the language has more than one.
        const std::string language = LanguageOf(user);
        const std::string script = ScriptOf(user);
        const std::string* pOtherScript = nullptr;
        for (const ScriptLanguage& each : languages) {
            if (!AfxEqualNoCaseAscii(LanguageOf(each.tag).c_str(), language.c_str())) {
                continue;
            }
            if (AfxEqualNoCaseAscii(ScriptOf(each.tag).c_str(), script.c_str())) {
                return each.tag;
            }
            pOtherScript = pOtherScript != nullptr ? pOtherScript : &each.tag;
        }
        if (pOtherScript != nullptr) {
            return *pOtherScript;
        }
    }
    return {};
}
