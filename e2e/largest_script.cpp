// The largest script: the line and section limits of the script format, reached
// with ordinary text so that it wraps like a real message.
#include "largest_script.h"

namespace {

constexpr int kLines = 300;
constexpr std::size_t kLineLength = 1497;

const char* const kWords[] = {
    "the",    "launcher", "reads",  "its",     "script", "from",  "the",   "folder", "it",   "starts",
    "in",     "and",      "shows",  "this",    "message", "above", "two",  "buttons", "so",  "that",
    "people", "can",      "read",   "about",   "what",   "will",  "be",    "installed", "before", "they",
    "choose", "to",       "go",     "on",      "or",     "leave", "without", "changing", "anything",
};

}  // namespace

std::string LargestScript()
{
    std::string text;
    std::size_t nWord = 0;
    while (text.size() < kLineLength) {
        text += kWords[nWord++ % (sizeof kWords / sizeof kWords[0])];
        text += ' ';
    }
    text.resize(kLineLength);

    std::string script = "[Title]\r\nLargest script\r\n[Message]\r\n";
    for (int i = 0; i < kLines; ++i) {
        script += text + "\r\n";
    }
    return script;
}
