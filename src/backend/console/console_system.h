// What the console tools (setupcheck) need of the system beyond files: the ANSI code
// page a script is taken to be written in, the command line, and the terminal.
// Natively through iconv and the C library; on Windows through the system's calls.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The code page a script without a byte-order mark is read in unless the tool is told
// another: on Windows the system's ANSI code page, as the launcher reads it there;
// natively Windows-1252.
unsigned ConsoleDefaultCodePage();
// The code page scripts are read in from now on (1252 until set); false, with no
// change, when the system does not know it.
bool ConsoleSetCodePage(unsigned nCodePage);
// True when c begins a double-byte character in that code page.
bool ConsoleIsLeadByte(unsigned char c);
// Text in that code page as UTF-8, as the system converts it: a byte of 0x80-0x9F
// that it leaves undefined is the control character of that value, and any other
// byte it does not map and a lead byte without its trail byte are U+FFFD.
std::string ConsoleCodePageToUtf8(const std::string& text);

// The program's arguments in UTF-8, wildcards in file names expanded where the shell
// does not do it.
std::vector<std::string> ConsoleArguments(int argc, char** argv);
// Opens a file named in UTF-8 for binary reading.
std::FILE* ConsoleOpenFile(const char* pszPath);
// The standard input, set to binary reading; the caller does not close it.
std::FILE* ConsoleStandardInput();
// The folder, ending in a separator, of the script at the path (UTF-8): the one a
// launcher started from beside the script finds its programs in. "" (the current
// folder) when the path names no regular file but a pipe, or natively names a device
// (/dev/stdin, /dev/fd/N): their folders say nothing of the script's.
std::string ConsoleScriptFolder(const std::string& path);
// Writes UTF-8 text to stdout or stderr; a console shows it in any language.
void ConsoleWrite(std::FILE* pStream, const std::string& text);
