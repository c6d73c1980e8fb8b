// The user's user-interface languages: the system's ordered list where it keeps one
// (Windows Vista on), else its one user-interface language.
#include "afx/os.h"
#include "backend/win32/system_library.h"
#include "backend/win32/wide_text.h"
#include "backend/win32/windows_include.h"

namespace {

using GetPreferredLanguagesProc = BOOL(WINAPI*)(DWORD, PULONG, PZZWSTR, PULONG);

// The system's ordered list: NUL-ended names, an empty one last.
void AddPreferredLanguages(std::vector<std::string>* pTags)
{
    // kernel32 is in every process already: asked for by name, it cannot be a copy
    // planted beside the program.
    const auto pfnGet = GetProc<GetPreferredLanguagesProc>(::GetModuleHandleA("kernel32.dll"),
                                                           "GetUserPreferredUILanguages");
    ULONG nLanguages = 0;
    ULONG nUnits = 0;
    if (pfnGet == nullptr || !pfnGet(MUI_LANGUAGE_NAME, &nLanguages, nullptr, &nUnits) || nUnits < 2) {
        return;
    }
    std::vector<wchar_t> list(nUnits + 2, L'\0');  // two NULs beyond what is asked for end it in any case
    if (!pfnGet(MUI_LANGUAGE_NAME, &nLanguages, list.data(), &nUnits)) {
        return;
    }
    for (const wchar_t* p = list.data(); *p != L'\0'; p += ::lstrlenW(p) + 1) {
        pTags->push_back(NarrowText(p, -1, AfxTextEncoding::Utf8).c_str());
    }
}

// The one user-interface language, named by its ISO 639 language and ISO 3166 country.
void AddDefaultLanguage(std::vector<std::string>* pTags)
{
    const LCID locale = MAKELCID(::GetUserDefaultUILanguage(), SORT_DEFAULT);
    char szTag[32] = {};
    const int nLanguage = ::GetLocaleInfoA(locale, LOCALE_SISO639LANGNAME, szTag, 16);
    if (nLanguage == 0) {
        return;
    }
    // The country after a hyphen, in place of the language's NUL; without one, the NUL stays.
    if (::GetLocaleInfoA(locale, LOCALE_SISO3166CTRYNAME, szTag + nLanguage, 16) != 0) {
        szTag[nLanguage - 1] = '-';
    }
    pTags->push_back(szTag);
}

}  // namespace

std::vector<std::string> os::GetUserLanguages()
{
    std::vector<std::string> tags;
    AddPreferredLanguages(&tags);
    if (tags.empty()) {
        AddDefaultLanguage(&tags);
    }
    return tags;
}
