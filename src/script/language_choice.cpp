// The script's language for the user's list of languages.
#include "script/language_choice.h"

#include "platform/afx_text.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The language subtag: the tag up to its first hyphen.
std::string LanguageOf(const std::string& tag) { return tag.substr(0, tag.find('-')); }

// Languages written in more than one script: the script of each region that writes it
// otherwise than most, then the language's usual script (no region).
struct UsualScript {
    const char* pszLanguage;
    const char* pszRegion;
    const char* pszScript;
};

const UsualScript kUsualScripts[] = {
    {"zh", "TW", "Hant"}, {"zh", "HK", "Hant"}, {"zh", "MO", "Hant"}, {"zh", "", "Hans"},
    {"sr", "ME", "Latn"}, {"sr", "", "Cyrl"},
    {"bs", "", "Latn"},
    {"uz", "AF", "Arab"}, {"uz", "", "Latn"},
    {"az", "IR", "Arab"}, {"az", "", "Latn"},
};

// The subtags of a tag that name its script and its region; empty when it has none.
struct TagParts {
    std::string language;
    std::string script;  // four letters, right after the language
    std::string region;  // two letters or three digits, after the language or script
};

TagParts PartsOf(const std::string& tag)
{
    TagParts parts;
    std::size_t nStart = tag.find('-');
    parts.language = tag.substr(0, nStart);
    for (std::string* pPart : {&parts.script, &parts.region}) {
        if (nStart == std::string::npos) {
            break;
        }
        const std::size_t nEnd = tag.find('-', nStart + 1);
        const std::string subtag = tag.substr(nStart + 1, nEnd == std::string::npos ? nEnd : nEnd - nStart - 1);
        const bool bScript = subtag.size() == 4 && IsAsciiLetter(subtag[0]);
        const bool bRegion = (subtag.size() == 2 && IsAsciiLetter(subtag[0])) ||
                             (subtag.size() == 3 && IsAsciiDigit(subtag[0]));
        if (pPart == &parts.script ? bScript : bRegion) {
            *pPart = subtag;
            nStart = nEnd;
        }
    }
    return parts;
}

void AddOnce(std::vector<std::string>* pTags, const std::string& tag)
{
    for (const std::string& each : *pTags) {
        if (AfxEqualNoCaseAscii(each.c_str(), tag.c_str())) {
            return;
        }
    }
    pTags->push_back(tag);
}

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
        } else if (IsAsciiLetter(c) || (!bLanguage && IsAsciiDigit(c))) {
            ++nSubtag;
        } else {
            return false;
        }
    }
    return nSubtag != 0;
}

std::string ScriptOf(const std::string& tag)
{
    const TagParts parts = PartsOf(tag);
    if (!parts.script.empty()) {
        return parts.script;
    }
    for (const UsualScript& usual : kUsualScripts) {
        if (AfxEqualNoCaseAscii(usual.pszLanguage, parts.language.c_str()) &&
            (usual.pszRegion[0] == '\0' || AfxEqualNoCaseAscii(usual.pszRegion, parts.region.c_str()))) {
            return usual.pszScript;
        }
    }
    return {};
}

std::vector<std::string> LanguageFallbacks(const std::string& tag)
{
    std::vector<std::string> tags{tag};
    const std::string script = ScriptOf(tag);
    if (!script.empty() && PartsOf(tag).script.empty()) {
        const std::string language = LanguageOf(tag);
        const std::string languageAndScript = language + "-" + script;
        std::string full = languageAndScript + tag.substr(language.size());
        AddOnce(&tags, full);
        while (full.size() > languageAndScript.size() && ShortenLanguageTag(&full)) {
            AddOnce(&tags, full);
        }
    }
    std::string shorter = tag;
    while (ShortenLanguageTag(&shorter)) {
        AddOnce(&tags, shorter);
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
        // Another region of the language: of the user's script first, where the
        // language has more than one.
        const std::string language = LanguageOf(user);
        const std::string script = ScriptOf(user);
        for (const bool bSameScript : {true, false}) {
            for (const ScriptLanguage& each : languages) {
                if (AfxEqualNoCaseAscii(LanguageOf(each.tag).c_str(), language.c_str()) &&
                    (!bSameScript || AfxEqualNoCaseAscii(ScriptOf(each.tag).c_str(), script.c_str()))) {
                    return each.tag;
                }
            }
        }
    }
    return {};
}
