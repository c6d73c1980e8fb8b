// The registry root keys that a script's [Rootkey] may name, with no registry involved.
#pragma once

#include <cstring>

#include "afx/system.h"

// What the launcher appends to a root-key name it does not know.
inline constexpr char kBadRootKeySuffix[] = " is a bad root key.";

// The predefined key for a root-key name; only the four full names, in their exact case.
inline bool LookUpRootKey(const char* lpszName, AfxRootKey* pRoot)
{
    struct RootKeyName {
        const char* name;
        AfxRootKey root;
    };
    static constexpr RootKeyName kRootKeys[] = {
        {"HKEY_CLASSES_ROOT", AfxRootKey::ClassesRoot},
        {"HKEY_CURRENT_USER", AfxRootKey::CurrentUser},
        {"HKEY_LOCAL_MACHINE", AfxRootKey::LocalMachine},
        {"HKEY_USERS", AfxRootKey::Users},
    };
    for (const RootKeyName& entry : kRootKeys) {
        if (std::strcmp(lpszName, entry.name) == 0) {
            *pRoot = entry.root;
            return true;
        }
    }
    return false;
}
