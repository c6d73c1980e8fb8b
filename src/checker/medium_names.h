// The names of a medium's files as Windows must read them: setupcheck --medium-names,
// which scripts/make-medium.sh asks before it writes an image.
#pragma once

#include <string>
#include <vector>

// One line "PATH: reason" for each of the paths whose name Windows cannot hold, or
// takes as the same name as one before it in its folder (letter case compared by
// FoldCaseUtf8). The paths are relative to the medium's root, names separated by '/',
// each folder before what it holds; rootNames are the names the medium itself puts at
// its root. A path is shown with control characters and bytes that are not UTF-8 as
// \xNN.
std::vector<std::string> CheckMediumNames(const std::vector<std::string>& paths,
                                          const std::vector<std::string>& rootNames);

// setupcheck --medium-names [ROOT_NAME...]: the paths, each ended by a NUL byte, on
// standard input; each line of CheckMediumNames on standard output. Returns the exit
// status: 0 when every name is good, 1 when not.
int RunMediumNamesCheck(const std::vector<std::string>& rootNames);
