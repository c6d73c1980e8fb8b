// The user's user-interface languages: the system's ordered list where it keeps one
// (Windows Vista on), else its one user-interface language.
#include "platform/afx_system.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_include.h"

namespace {

using GetPreferredLanguagesProc = BOOL(WINAPI*)(DWORD, PULONG, PZZWSTR, PULONG);

// The tags of a list of NUL-ended names that an empty name ends.
std::vector<std::string> TagsFromList(const wchar_t* pszList)
{
    std::vector<std::string> tags;
    for (const wchar_t* p = pszList; *p != L'\0'; p += ::lstrlenW(p) + 1) {
        tags.push_back(NarrowText(p).c_str());
    }
    return tags;
}

std::vector<std::string> PreferredLanguages()
{
    // kernel32 is in every process already: asked for by name, it cannot be a copy
    // planted beside the program.
    const auto pfnGet = GetProc<GetPreferredLanguagesProc>(::GetModuleHandleA("kernel32.dll"),
                                                           "GetUserPreferredUILanguages");
    ULONG nLanguages = 0;
    ULONG nUnits = 0;
    if (pfnGet == nullptr || !pfnGet(MUI_LANGUAGE_NAME, &nLanguages, nullptr, &nUnits) || nUnits < 2) {
        return {};
    }
    std::vector<wchar_t> list(nUnits + 2, L'\0');  // two NULs beyond what is asked for end it in any case
    if (!pfnGet(MUI_LANGUAGE_NAME, &nLanguages, list.data(), &nUnits)) {
        return {};
    }
    return TagsFromList(list.data());
}

// The one user-interface language, named by its ISO 639 language and ISO 3166 country.
std::vector<std::string> DefaultLanguage()
{
    const LCID locale = MAKELCID(::GetUserDefaultUILanguage(), SORT_DEFAULT);
    char szLanguage[16] = {};
    char szCountry[16] = {};
    if (::GetLocaleInfoA(locale, LOCALE_SISO639LANGNAME, szLanguage, sizeof szLanguage) == 0) {
        return {};
    }
    std::string tag = szLanguage;
    if (::GetLocaleInfoA(locale, LOCALE_SISO3166CTRYNAME, szCountry, sizeof szCountry) != 0) {
        tag += std::string("-") + szCountry;
    }
    return {tag};
}

}  // namespace

std::vector<std::string> AfxGetUserLanguages()
{
    std::vector<std::string> tags = PreferredLanguages();
    return tags.empty() ? DefaultLanguage() : tags;
}
