// CScriptFile: reading the lines of setup.ini that carry content.
#include "script/script_file.h"

#include "afx/text.h"

char* CScriptFile::ReadSignificantLine(char* lpszBuffer, UINT nCapacity)
{
    for (;;) {
        m_nLineStart = GetPosition();
        if (ReadString(lpszBuffer, nCapacity) == nullptr) {
            return nullptr;
        }
        // Both searches skip trail bytes, so a double-byte character that ends in
        // the code of '\n' or ';' is never cut in two.
        AfxCutAt(lpszBuffer, '\n', TextEncoding());
        AfxCutAt(lpszBuffer, ';', TextEncoding());
        // Blanks before the text, not only blank lines, mark a line to pass over:
        // that is how a script indents its notes.
        const char cFirst = lpszBuffer[0];
        if (cFirst != '\0' && cFirst != ' ' && cFirst != '\t') {
            return lpszBuffer;
        }
        if (m_pReporter != nullptr) {
            m_pReporter->Line(ScriptLine::PassedOver, m_nLineStart);
        }
    }
}
