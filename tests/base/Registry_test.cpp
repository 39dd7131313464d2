#include "platform/base/Registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "base/ScopedTempFolder.h"

namespace {

class RegistryApi : public ::testing::Test {
  protected:
    void SetUp() override { kq::SetRegistryFilePath(folder_ / "registry.reg"); }
    void TearDown() override { kq::SetRegistryFilePath(folder_ / "registry.reg"); }

    static HKEY Create(HKEY parent, const char* path, DWORD* disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyEx(parent, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                                 disposition),
                  ERROR_SUCCESS);
        return key;
    }
    static LONG SetString(HKEY key, const char* name, const std::string& text) {
        return RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1));
    }
    static LONG SetDword(HKEY key, const char* name, DWORD value) {
        return RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
    }
    static std::string EnumKeys(HKEY key) {
        std::string names;
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD size = sizeof name;
            if (RegEnumKeyEx(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                return names;
            names += std::string(name, size) + ",";
        }
    }
    static std::string EnumValues(HKEY key) {
        std::string names;
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD size = sizeof name;
            if (RegEnumValue(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                return names;
            names += std::string(name, size) + ",";
        }
    }

    kq::test::ScopedTempFolder folder_;
};

TEST_F(RegistryApi, CreatesOpensAndReportsDisposition) {
    DWORD disposition = 0;
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Brevan S.A.S.\\KQ7-B", &disposition);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    RegCloseKey(key);
    key = Create(HKEY_CURRENT_USER, "SOFTWARE\\brevan s.a.s.\\kq7-b\\", &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(key);

    HKEY software = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "software", 0, KEY_READ, &software), ERROR_SUCCESS);
    EXPECT_EQ(EnumKeys(software), "Brevan S.A.S.,");  // the case of the creation is kept
    HKEY missing = nullptr;
    EXPECT_EQ(RegOpenKeyEx(software, "Nothing", 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(
        RegCreateKeyEx(software, "\\Lead", 0, nullptr, 0, KEY_WRITE, nullptr, &missing, nullptr),
        ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyEx(software, "Line\nBreak", 0, nullptr, 0, KEY_WRITE, nullptr, &missing,
                             nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCloseKey(software), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(software), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SetDword(software, "x", 1), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryApi, QuerySizeProtocolAndStringTermination) {
    SetLastError(ERROR_ALREADY_EXISTS);  // left alone by the store's own file work
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Test");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    // Stored without its terminator, returned with one.
    ASSERT_EQ(RegSetValueEx(key, "Port", 0, REG_SZ, reinterpret_cast<const BYTE*>("COM12"), 5),
              ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueEx(key, "port", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 6u);
    char small[3] = {'x', 'x', 'x'};
    size = sizeof small;
    EXPECT_EQ(RegQueryValueEx(key, "Port", nullptr, &type, reinterpret_cast<BYTE*>(small), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(small[0], 'x');
    char buffer[16];
    size = sizeof buffer;
    EXPECT_EQ(
        RegQueryValueEx(key, "Port", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
        ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "COM12");
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(
        RegQueryValueEx(key, "Port", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), nullptr),
        ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueEx(key, "Absent", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    // The default value exists only once written.
    EXPECT_EQ(RegQueryValueEx(key, nullptr, nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(SetString(key, "", "default"), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueEx(key, nullptr, nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 8u);
    // Binary values keep their exact bytes, 0x00 included, and an empty one exists.
    const BYTE bytes[] = {0, 1, 0, 2};
    EXPECT_EQ(RegSetValueEx(key, "Blob", 0, REG_BINARY, bytes, 4), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(key, "Empty", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
    BYTE read[8] = {};
    size = sizeof read;
    EXPECT_EQ(RegQueryValueEx(key, "Blob", nullptr, &type, read, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(std::memcmp(read, bytes, 4), 0);
    EXPECT_EQ(RegQueryValueEx(key, "Empty", nullptr, &type, read, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(RegSetValueEx(key, "Bad", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
}

TEST_F(RegistryApi, EnumeratesKeysSortedAndValuesInWriteOrder) {
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Order");
    for (const char* name : {"beta", "Alpha", "A_B", "AB", "gamma", "Ärger", "zulu"})
        RegCloseKey(Create(key, name));
    // Upper-cased comparison, as Windows lists keys: '_' sorts after the letters.
    EXPECT_EQ(EnumKeys(key), "AB,Alpha,A_B,beta,gamma,zulu,Ärger,");
    for (const char* name : {"z", "a", "M"})
        SetDword(key, name, 1);
    SetDword(key, "A", 2);  // rewriting keeps the place and the first spelling
    EXPECT_EQ(EnumValues(key), "z,a,M,");

    char name[2];
    DWORD nameSize = sizeof name;
    EXPECT_EQ(RegEnumKeyEx(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA);
    char longName[16];
    DWORD type = 0, dataSize = 2;
    BYTE data[4];
    nameSize = sizeof longName;
    EXPECT_EQ(RegEnumValue(key, 1, longName, &nameSize, nullptr, &type, data, &dataSize),
              ERROR_MORE_DATA);
    EXPECT_EQ(dataSize, 4u);
    nameSize = sizeof longName;
    dataSize = sizeof data;
    EXPECT_EQ(RegEnumValue(key, 1, longName, &nameSize, nullptr, &type, data, &dataSize),
              ERROR_SUCCESS);
    EXPECT_EQ(data[0], 2);
    nameSize = sizeof longName;
    EXPECT_EQ(RegEnumValue(key, 3, longName, &nameSize, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);

    DWORD subKeys = 0, maxSubKey = 0, values = 0, maxName = 0, maxData = 0;
    EXPECT_EQ(RegQueryInfoKey(key, nullptr, nullptr, nullptr, &subKeys, &maxSubKey, nullptr,
                              &values, &maxName, &maxData, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subKeys, 7u);
    EXPECT_EQ(maxSubKey, 6u);  // "Ärger" is six bytes of UTF-8
    EXPECT_EQ(values, 3u);
    EXPECT_EQ(maxName, 1u);
    EXPECT_EQ(maxData, 4u);
    RegCloseKey(key);
}

TEST_F(RegistryApi, DeleteKeyNeedsAnEmptyKeyDeleteTreeDoesNot) {
    HKEY app = Create(HKEY_CURRENT_USER, "Software\\App");
    HKEY inner = Create(app, "Settings\\Inner");
    SetDword(inner, "v", 1);
    EXPECT_EQ(RegDeleteKey(app, "Settings"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(app, "Missing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);

    // A handle to a deleted key reports it, and can still be closed.
    EXPECT_EQ(RegDeleteTree(app, "settings"), ERROR_SUCCESS);
    EXPECT_EQ(SetDword(inner, "v", 2), ERROR_KEY_DELETED);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(inner, "v", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(inner), ERROR_SUCCESS);
    EXPECT_EQ(EnumKeys(app), "");
    EXPECT_EQ(RegDeleteTree(app, "settings"), ERROR_FILE_NOT_FOUND);

    // Re-created under the same name, it is a new key.
    HKEY again = Create(app, "Settings");
    DWORD value = 0;
    size = sizeof value;
    EXPECT_EQ(RegQueryValueEx(again, "v", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKey(again, ""), ERROR_SUCCESS);  // an empty key deletes itself
    EXPECT_EQ(SetDword(again, "v", 1), ERROR_KEY_DELETED);
    RegCloseKey(again);

    // A null subkey clears the key itself but keeps it.
    Create(app, "One");
    SetDword(app, "top", 1);
    EXPECT_EQ(RegDeleteTree(app, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(EnumKeys(app), "");
    EXPECT_EQ(EnumValues(app), "");
    EXPECT_EQ(SetDword(app, "after", 1), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(app, "after"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(app, "after"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(app);
}

TEST_F(RegistryApi, ReadOnlyRootsAndAccessRights) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Lantronix\\CPR", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vendor", 0, nullptr, 0, KEY_READ,
                             nullptr, &key, nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(SetDword(HKEY_LOCAL_MACHINE, "x", 1), ERROR_ACCESS_DENIED);

    HKEY writable = Create(HKEY_CURRENT_USER, "Software\\Rights");
    RegCloseKey(writable);
    HKEY readOnly = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Rights", 0, KEY_READ, &readOnly),
              ERROR_SUCCESS);
    EXPECT_EQ(SetDword(readOnly, "x", 1), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCreateKeyEx(readOnly, "Sub", 0, nullptr, 0, KEY_READ, nullptr, &key, nullptr),
              ERROR_ACCESS_DENIED);
    RegCloseKey(readOnly);
}

TEST_F(RegistryApi, ConcurrentWritersLoseNothing) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            HKEY key =
                Create(HKEY_CURRENT_USER, ("Software\\Threads\\T" + std::to_string(t)).c_str());
            for (DWORD i = 0; i < 50; ++i)
                SetDword(key, ("v" + std::to_string(i)).c_str(), i);
            RegCloseKey(key);
        });
    }
    for (auto& thread : threads)
        thread.join();
    kq::SetRegistryFilePath(folder_ / "registry.reg");  // read back from disk
    for (int t = 0; t < 4; ++t) {
        HKEY key = nullptr;
        ASSERT_EQ(
            RegOpenKeyEx(HKEY_CURRENT_USER, ("Software\\Threads\\T" + std::to_string(t)).c_str(), 0,
                         KEY_READ, &key),
            ERROR_SUCCESS);
        DWORD values = 0;
        RegQueryInfoKey(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                        nullptr, nullptr, nullptr);
        EXPECT_EQ(values, 50u);
        RegCloseKey(key);
    }
}

}  // namespace
