// Reading one resource out of a Windows program's file (PE32 or PE32+), as the
// system's resource loader finds it, for the tools that look into a launcher.
#pragma once

#include <string>

// The data of the resource of type nType (a number, such as 10 for raw data) and
// name pszName (a name, compared without regard to ASCII case), in its first
// language; false when the bytes are no PE file, hold no such resource, or any
// offset on the way lies outside them.
bool FindPeResource(const std::string& image, unsigned nType, const char* pszName, std::string* pData);
