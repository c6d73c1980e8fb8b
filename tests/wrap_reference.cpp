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
                                    const TextWidthFunction& measure, int nMaxLines)
{
    const std::string text = pszText != nullptr
        ? std::string(pszText, std::min<std::size_t>(std::strlen(pszText), INT_MAX))
        : std::string();
    const std::int64_t textWidth = static_cast<std::int64_t>(nClientWidth) - nLeftMargin;
    const std::int64_t fitLimit = textWidth - nAveCharWidth;

    WrapResult result;
    std::string line;
    for (std::size_t i = 0;; ++i) {
        const char c = i < text.size() ? text[i] : '\0';
        if (c == '\0' && line.empty()) {
            break;
        }
        if (c != '\0') {
            std::size_t end = i + 1;
            if (c != ' ' && c != '\n') {
                end = text.find_first_of(" \n", i);
                end = end == std::string::npos ? text.size() : end + 1;
            }
            if (MeasureString(measure, line + text.substr(i, end - i)) < fitLimit && c != '\n') {
                line += c;
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
        line = c == '\n' ? std::string() : std::string(1, c);
    }
    return result;
}
