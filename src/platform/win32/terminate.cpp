// The C++ runtime's handler for an abnormal end, replaced for the static executable.
//
// The runtime's own handler prints the demangled type of the exception that ended
// the program, and so links the whole demangler (some 45 KB) into setup.exe. A GUI
// program has nowhere to print; the program throws nothing, and the runtime only
// gets here when memory runs out. Defining the handler here keeps the library's
// one out of the link.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
