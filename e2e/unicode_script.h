// Unicode scripts for the end-to-end tests: a text in many scripts, and a script's
// UTF-8 text written out with a byte-order mark in each encoding.
#pragma once

#include <string>

#include "launcher_process.h"

// Latin, Greek, Cyrillic and CJK characters and an emoji beyond U+FFFF.
const std::string kMixedText = u8"\u00dcn\u00efc\u00f6d\u00e9 \u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac "
                               u8"\u041a\u0438\u0440\u0438\u043b\u043b\u0438\u0446\u0430 \u4e2d\u6587 \U0001F600";

enum class ScriptEncoding { kUtf8, kUtf16Le, kUtf16Be };

inline const char* ScriptEncodingName(ScriptEncoding encoding)
{
    return encoding == ScriptEncoding::kUtf8 ? "Utf8" : encoding == ScriptEncoding::kUtf16Le ? "Utf16Le" : "Utf16Be";
}

inline std::string EncodeScript(const std::string& utf8, ScriptEncoding encoding)
{
    if (encoding == ScriptEncoding::kUtf8) {
        return "\xEF\xBB\xBF" + utf8;
    }
    std::string bytes;
    for (const wchar_t unit : L"\xFEFF" + Wide(utf8)) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        bytes += encoding == ScriptEncoding::kUtf16Le ? low : high;
        bytes += encoding == ScriptEncoding::kUtf16Le ? high : low;
    }
    return bytes;
}
