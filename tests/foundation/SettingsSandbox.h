// Points every user folder and the settings store at a fresh temporary folder for one test.
#pragma once

#include "base/ScopedTempFolder.h"
#include "platform/base/Paths.h"
#include "platform/base/Registry.h"

class SettingsSandbox {
  public:
    SettingsSandbox() : roots_(folder_.Path()) { kq::SetRegistryFilePath(""); }
    ~SettingsSandbox() { kq::SetRegistryFilePath(""); }
    const std::string& Root() const { return folder_.Path(); }

  private:
    kq::test::ScopedTempFolder folder_;
    kq::ScopedFolderRoots roots_;
};
