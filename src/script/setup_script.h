// The setup record: every value of setup.ini, and the parser that fills it.
#pragma once

#include <string>
#include <vector>

#include "script/language_choice.h"
#include "script/script_file.h"

// The most lines a multi-line section ([Message], [RegText]) takes.
constexpr int MAX_SECTION_LINES = 300;
// Spaces that replace one tab in a [Message] line.
constexpr int TAB_SPACES = 8;

class CScriptBase {
public:
    virtual BOOL Load() = 0;

protected:
    CScriptBase() = default;
    ~CScriptBase() = default;

public:
    CScriptFile m_file;
};

class CSetupScript : public CScriptBase {
public:
    CSetupScript();

    // Reads setup.ini from the current directory. Nonzero on success, and also when
    // the file cannot be opened (after saying so). On failure the cause has been
    // shown, except for a single-line header at the end of the file.
    BOOL Load() override;
    // Reads the script from m_file, already open, up to its end or its first failure;
    // the failure goes to m_file's reporter if it has one, else to a message box.
    // Every section of every language is read and checked; the fields keep the
    // sections of the language chosen for userLanguages (most wanted first), each
    // section falling back to the chosen tag shortened, then to the untagged one.
    BOOL Parse(const std::vector<std::string>& userLanguages = {});

    BOOL ReadTitle();
    BOOL ReadMessage();
    BOOL ReadOk();
    BOOL ReadCancel();
    BOOL ReadRun();
    BOOL ReadRootkey();
    BOOL ReadRegKey();
    BOOL ReadRegValue();
    BOOL ReadRegVersion();
    BOOL ReadRegText();

    // True when the whole line is one of the ten section headers, ASCII case ignored,
    // or one of [Title], [Message], [Ok], [Cancel], [Run], [RegText] with a language
    // tag ("[Message.de-CH]").
    static BOOL IsSectionHeader(const char* lpszLine);
    // The untagged header of the section that a header line starts ("[Title]" for
    // "[title.de]") and the line's language tag (empty when untagged); false when the
    // line is no header.
    static BOOL SplitSectionHeader(const char* lpszLine, std::string* pHeader, std::string* pTag);
    // As SplitSectionHeader, but a language tag is also taken on a section that takes
    // none ("[RegVersion.de]", no header to the parser); *pbTakesTag says whether the
    // section takes one.
    static BOOL SplitTaggedHeader(const char* lpszLine, std::string* pHeader, std::string* pTag, bool* pbTakesTag);
    // The sections that take a language tag, in the parser's order.
    static std::vector<std::string> TranslatedHeaders();
    // Replaces *ppszLine (a SCRIPT_LINE_SIZE heap buffer) by a new one with each tab
    // expanded to TAB_SPACES spaces. Fails, leaving *ppszLine as it was, when the
    // line filled its read buffer or would not fit once expanded.
    static BOOL ExpandTabs(char** ppszLine);

    // The encoding of every text below: the script's, as its reader found it.
    AfxTextEncoding m_encoding = AfxTextEncoding::Ansi;
    char* m_pszMessage = nullptr;
    int m_nMessageLines = 0;
    char m_szRootkey[SCRIPT_LINE_SIZE];
    char m_szCancel[SCRIPT_LINE_SIZE];
    char m_szOk[SCRIPT_LINE_SIZE];
    char m_szRun[SCRIPT_LINE_SIZE];
    char m_szRegKey[SCRIPT_LINE_SIZE];
    char m_szTitle[SCRIPT_LINE_SIZE];
    char m_szRegVersion[SCRIPT_LINE_SIZE];
    char m_szRegValue[SCRIPT_LINE_SIZE];
    char m_szRegText[MAX_SECTION_LINES][SCRIPT_LINE_SIZE];
    int m_nRegTextLines = 0;
    // The languages of the script's tagged sections, in the order of their first
    // section, and the one chosen (empty: the untagged sections are used).
    std::vector<ScriptLanguage> m_languages;
    std::string m_language;

private:
    // One reading of the whole script, which keeps the sections tagged keptTag (the
    // untagged ones when it is empty) in the fields.
    BOOL ReadSections(const std::string& keptTag);
    // Reads again, from nTextStart, the sections of the tag's fallbacks, the least
    // specific first, each over those before it: the tag's own last.
    BOOL ReadLanguageSections(const std::string& tag, long long nTextStart);
    int& SectionLines(int ScriptLanguage::*pnLanguageLines, int* pnUntaggedLines);

    // While reading: the language of the section being read in m_languages (-1 when
    // untagged), and whether the fields keep it.
    int m_nSectionLanguage = -1;
    bool m_bKeepSection = true;
};

// The program's setup record (constructed after the application object).
extern CSetupScript theScript;
