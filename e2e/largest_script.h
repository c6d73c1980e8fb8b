// The largest setup.ini the script format takes, for the tests and the timing run.
#pragma once

#include <string>

// A [Title] and a [Message] of 300 lines of 1497 characters of ordinary words,
// each line ended by CR-LF: the most lines and the longest lines that load.
std::string LargestScript();
