// Pieces of the installed-version check that need no window.
#pragma once

#include <cstdint>
#include <string>

#include "app/root_key.h"
#include "afx/system.h"

// "\StringFileInfo\llllcccc\FileVersion", language and code page as four lower-case
// hexadecimal digits each.
std::string VersionQueryPath(std::uint16_t language, std::uint16_t codePage);

// The file path held by a registry value: data of at most 100 bytes, which ends at its
// first zero byte or after the bytes returned. False when the key or the value cannot
// be read, or the data is larger than 100 bytes.
bool ReadInstalledPath(AfxRootKey root, const char* lpszKey, const char* lpszValue, std::string* pPath);

// The "FileVersion" string of the file's first translation, whole; empty when the file,
// its version resource, its translation table or the string is missing.
std::string ReadFileVersionString(const std::string& path);
