#include "platform/framework/app_name.h"

std::string AppNameFromModulePath(const std::string& path)
{
    std::string name = path;
    const std::string::size_type dot = name.find_last_of('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    const std::string::size_type separator = name.find_last_of("\\/:");
    if (separator != std::string::npos) {
        name.erase(0, separator + 1);
    }
    return name;
}
