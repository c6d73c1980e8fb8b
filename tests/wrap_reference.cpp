// The word wrap done the plain way: each character tests the current line with the
// rest of its word, and each trailing space is preceded by a measure of the line.
#include "wrap_reference.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

namespace {

int MeasureString(const TextWidthFunction& measure, const std::string& s)
{
    return measure(s.data(), static_cast<int>(s.size()));
}

}  // namespace

WrapResult ReferenceWrapMessageText(const char* pszText, int nClientWidth, int nLeftMargin, int nAveCharWidth,
                                    const TextWidthFunction& measure, int nMaxLines, const WrapBreaks& breaks)
{
    const std::string text = pszText != nullptr
        ? std::string(pszText, std::min<std::size_t>(std::strlen(pszText), INT_MAX))
        : std::string();
    const std::int64_t textWidth = static_cast<std::int64_t>(nClientWidth) - nLeftMargin;
    const std::int64_t fitLimit = textWidth - nAveCharWidth;

    // Characters begin at the first byte, at flagged bytes, at newlines and after
    // them; lines may break before a character that is flagged or follows a space
    // or a newline. The end of the text is both.
    std::vector<bool> isStop(text.size() + 1, true);
    std::vector<bool> isBreak(text.size() + 1, true);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char flags =
            breaks.pFlags != nullptr && i < breaks.nFlags ? breaks.pFlags[i] : WRAP_CHAR_STOP;
        const char previous = i > 0 ? text[i - 1] : '\0';
        isStop[i] = i == 0 || (flags & WRAP_CHAR_STOP) != 0 || text[i] == '\n' || previous == '\n';
        isBreak[i] = isStop[i] && ((flags & WRAP_BREAK_BEFORE) != 0 || previous == ' ' || previous == '\n');
    }
    const auto nextStop = [&](std::size_t i) {
        while (!isStop[++i]) {
        }
        return i;
    };

    WrapResult result;
    std::string line;
    for (std::size_t i = 0;;) {
        const char c = i < text.size() ? text[i] : '\0';
        if (c == '\0' && line.empty()) {
            break;
        }
        std::string character;
        if (c != '\0') {
            std::size_t end = i + 1;
            while (!isBreak[end]) {
                ++end;
            }
            character = text.substr(i, nextStop(i) - i);
            // A piece too wide for a line of its own may be cut: its first character
            // goes on an empty line, and each next one while the line with it fits.
            if ((MeasureString(measure, line + text.substr(i, end - i)) < fitLimit ||
                 (breaks.bCutOverlong &&
                  (line.empty() || (!isBreak[i] && MeasureString(measure, line + character) < fitLimit)))) &&
                c != '\n') {
                line += character;
                i = nextStop(i);
                continue;
            }
        }
        if (static_cast<std::int64_t>(result.lines.size()) >= nMaxLines) {
            result.limitHit = true;
            break;
        }
        const std::int64_t mostSpaces =
            std::max<std::int64_t>(0, std::min<std::int64_t>(textWidth, INT_MAX - static_cast<std::int64_t>(line.size())));
        for (std::int64_t spaces = 0; spaces < mostSpaces && MeasureString(measure, line) < textWidth; ++spaces) {
            line += ' ';
        }
        result.lines.push_back(line);
        if (c == '\0') {
            break;
        }
        // After a cut, the character is tried again on the new line.
        line = c == '\n' || breaks.bCutOverlong ? std::string() : character;
        i = c == '\n' ? i + 1 : breaks.bCutOverlong ? i : nextStop(i);
    }
    return result;
}
