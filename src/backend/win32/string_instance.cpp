// std::string's member functions, compiled here rather than taken from the C++
// library.
//
// The library compiles std::string once, into one object with exception
// handling and unwind tables; the linker keeps every unwind table and with it
// every function of that object, and the tables link the exception machinery
// and the unwinder. Compiled here, with the program's options, each function
// gets its own section, and the linker keeps only those that are called.
#include <string>

template class std::basic_string<char>;
