// The C++ library's error reports, for setup.exe: each ends the process.
//
// The containers call these on requests no valid use makes (a size past
// max_size(), an index out of range, an empty std::function called). The
// library's own ones throw, and so link the exception classes, the exception
// machinery and the unwinder into setup.exe. The program catches nothing, so a
// throw here could only end it through std::terminate and abort(); these go
// straight to abort(), with the same outcome.
#include <cstdlib>
#include <functional>

namespace std {

void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_bad_function_call() { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }

}  // namespace std
