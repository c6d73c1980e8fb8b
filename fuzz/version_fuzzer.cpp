// Fuzz target: the installed-version check, from any registry data, version strings and
// record fields, on the simulated machine. The input sets up the record's five fields,
// one registry value (any bytes, any length) and one file's version resource, then
// runs the check from a hidden frame. Its result and its message box must be exactly
// those that the record and the machine call for.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/installed_version.h"
#include "fuzz_check.h"
#include "backend/sim/sim.h"
#include "script/setup_script.h"
#include "ui/setup_frame.h"

namespace {

constexpr std::size_t kPathDataSize = 100;
const char* const kRootNames[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS"};
const AfxRootKey kRoots[] = {AfxRootKey::ClassesRoot, AfxRootKey::CurrentUser, AfxRootKey::LocalMachine,
                             AfxRootKey::Users};

std::string Lower(std::string s)
{
    for (char& c : s) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

// What a field of the record can hold: up to 1499 bytes, none of them NUL.
std::string FieldText(FuzzedDataProvider& input, std::size_t nMax = SCRIPT_LINE_SIZE - 1)
{
    std::string s = input.ConsumeRandomLengthString(nMax);
    return s.substr(0, s.find('\0'));
}

void SetField(char* pszField, const std::string& text)
{
    std::memcpy(pszField, text.c_str(), text.size() + 1);
}

// One of the four names, empty, a name in another case, or anything.
std::string RootkeyText(FuzzedDataProvider& input)
{
    const int nChoice = input.ConsumeIntegralInRange(0, 7);
    if (nChoice < 4) {
        return kRootNames[nChoice];
    }
    if (nChoice == 4) {
        return "";
    }
    if (nChoice == 5) {
        return Lower(kRootNames[input.ConsumeIntegralInRange(0, 3)]);
    }
    return FieldText(input);
}

// The script's value name, or one of the spellings of the unnamed default value.
std::string RegValueText(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return "default";
    case 1:
        return "DeFaulT";
    case 2:
        return "";
    default:
        return FieldText(input);
    }
}

// The text before the first NUL of the data, or all of it.
std::string TextOfData(const std::string& data) { return data.substr(0, data.find('\0')); }

struct Machine {
    bool bHasKey = false;
    AfxRootKey root = AfxRootKey::CurrentUser;
    std::string keyPath;
    bool bHasValue = false;
    std::string valueName;
    std::string data;
    bool bHasVersion = false;
    std::string versionPath;
    sim::VersionResource version;
};

// The "FileVersion" string of the first translation, as the check must find it.
std::string ExpectedVersion(const Machine& m, const std::string& path)
{
    if (!m.bHasVersion || Lower(m.versionPath) != Lower(path) || m.version.readFails ||
        m.version.translations.empty()) {
        return "";
    }
    char key[16];
    std::snprintf(key, sizeof key, "%04x%04x", static_cast<unsigned>(m.version.translations[0].first),
                  static_cast<unsigned>(m.version.translations[0].second));
    for (const auto& entry : m.version.fileVersions) {
        if (Lower(entry.first) == key) {
            return TextOfData(entry.second);
        }
    }
    return "";
}

struct Outcome {
    int nResult;
    std::string box;  // empty: none
};

Outcome ExpectedOutcome(const Machine& m, const std::string& rootkey, const std::string& regKey,
                        const std::string& regValue, const std::string& regVersion, const std::string& regText)
{
    if (regVersion.empty() || regKey.empty()) {
        return {0, ""};
    }
    const std::string name = rootkey.empty() ? "HKEY_CURRENT_USER" : rootkey;
    int nRoot = -1;
    for (int i = 0; i < 4; ++i) {
        if (name == kRootNames[i]) {
            nRoot = i;
            break;
        }
    }
    if (nRoot < 0) {
        return {1, name + " is a bad root key."};
    }
    const std::string valueName = Lower(regValue) == "default" ? "" : regValue;
    if (!m.bHasKey || m.root != kRoots[nRoot] || Lower(m.keyPath) != Lower(regKey) || !m.bHasValue ||
        Lower(m.valueName) != Lower(valueName) || m.data.size() > kPathDataSize) {
        return {0, ""};
    }
    const std::string version = ExpectedVersion(m, TextOfData(m.data));
    if (version.empty() || version == regVersion) {
        return {0, ""};
    }
    return {1, regText};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider input(bytes, size);
    sim::Reset();

    const std::string rootkey = RootkeyText(input);
    const std::string regKey = FieldText(input);
    const std::string regValue = RegValueText(input);
    const std::string regVersion = FieldText(input);
    const std::string regText = FieldText(input);

    // The registry value and the file mostly where the record points, now and then not.
    Machine m;
    m.bHasKey = input.ConsumeBool();
    m.root = kRoots[input.ConsumeIntegralInRange(0, 3)];
    m.keyPath = input.ConsumeBool() ? regKey : FieldText(input);
    m.bHasValue = input.ConsumeBool();
    m.valueName = input.ConsumeBool() ? (Lower(regValue) == "default" ? "" : regValue) : FieldText(input);
    m.data = input.ConsumeRandomLengthString(2 * kPathDataSize);
    m.bHasVersion = input.ConsumeBool();
    m.versionPath = input.ConsumeBool() ? TextOfData(m.data) : FieldText(input);
    m.version.readFails = input.ConsumeIntegralInRange(0, 15) == 0;
    const int nTranslations = input.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < nTranslations; ++i) {
        const auto language = input.ConsumeIntegral<std::uint16_t>();
        m.version.translations.emplace_back(language, input.ConsumeIntegral<std::uint16_t>());
    }
    const int nStrings = input.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < nStrings; ++i) {
        std::string key;
        if (!m.version.translations.empty() && input.ConsumeBool()) {
            const auto& pair = m.version.translations[input.ConsumeIntegralInRange<std::size_t>(
                0, m.version.translations.size() - 1)];
            char hex[16];
            std::snprintf(hex, sizeof hex, input.ConsumeBool() ? "%04x%04x" : "%04X%04X",
                          static_cast<unsigned>(pair.first), static_cast<unsigned>(pair.second));
            key = hex;
        } else {
            key = FieldText(input, 8);
        }
        // An empty key ends the simulated resource's list of strings.
        key = key.empty() ? "0" : key;
        // Any bytes, NULs included, and far longer than a field may be.
        m.version.fileVersions.emplace_back(key, input.ConsumeRandomLengthString(3 * SCRIPT_LINE_SIZE));
    }

    if (m.bHasKey) {
        sim::AddRegistryKey(m.root, m.keyPath);
        if (m.bHasValue) {
            sim::SetRegistryValue(m.root, m.keyPath, m.valueName, m.data);
        }
    }
    if (m.bHasVersion) {
        sim::SetFileVersion(m.versionPath, m.version);
    }

    // The root-key table takes any name.
    AfxRootKey root;
    int nRoot = -1;
    for (int i = 0; i < 4; ++i) {
        nRoot = rootkey == kRootNames[i] ? i : nRoot;
    }
    FUZZ_REQUIRE(LookUpRootKey(rootkey.c_str(), &root) == (nRoot >= 0));
    FUZZ_REQUIRE(nRoot < 0 || root == kRoots[nRoot]);

    SetField(theScript.m_szRootkey, rootkey);
    SetField(theScript.m_szRegKey, regKey);
    SetField(theScript.m_szRegValue, regValue);
    SetField(theScript.m_szRegVersion, regVersion);
    SetField(theScript.m_szRegText[0], regText);
    auto* pFrame = new CSetupFrame;
    FUZZ_REQUIRE(pFrame->GetSafeHwnd() != nullptr);
    const int nResult = pFrame->CheckInstalledVersion();
    delete pFrame;

    const Outcome expected = ExpectedOutcome(m, rootkey, regKey, regValue, regVersion, regText);
    FUZZ_REQUIRE(nResult == expected.nResult);
    const std::vector<sim::MessageBoxRecord>& boxes = sim::MessageBoxes();
    if (expected.box.empty()) {
        FUZZ_REQUIRE(boxes.empty());
    } else {
        FUZZ_REQUIRE(boxes.size() == 1 && boxes[0].text == expected.box && boxes[0].type == MB_OK);
    }
    return 0;
}
