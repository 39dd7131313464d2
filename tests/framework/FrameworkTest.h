// The fixture of the framework's tests: the window-system fixture plus a private settings store
// and folders, captured message boxes, and child windows that act as simple controls.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/ScopedTempFolder.h"
#include "platform/base/Paths.h"
#include "platform/framework/Framework.h"
#include "ui/UiTestFixture.h"

namespace kq::fw::test {

struct ShownBox {
    CString text;
    CString caption;
    UINT type;
};

class FrameworkTest : public kq::ui::test::UiTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A child window that keeps its text, tells its parent EN_CHANGE when the text changes,
    // and answers the check and dialog-code messages of a button of the given style.
    HWND CreateFakeControl(HWND parent, int id, DWORD style = WS_CHILD | WS_VISIBLE);
    // A child that answers the combo box messages over a list of strings (selection only).
    HWND CreateFakeCombo(HWND parent, int id, std::vector<std::string> items,
                         DWORD style = WS_CHILD | WS_VISIBLE);
    std::string TextOf(HWND hwnd) const;

    kq::test::ScopedTempFolder folder_;
    std::unique_ptr<kq::ScopedFolderRoots> roots_;
    std::vector<ShownBox> boxes_;
    int boxAnswer_ = 1;  // IDOK
    std::map<HWND, std::vector<std::string>> comboItems_;
    std::map<HWND, int> comboSelection_;
    std::map<HWND, int> checks_;
};

// The number of temporary window objects the calling thread holds.
size_t TemporaryWindowObjects();

}  // namespace kq::fw::test
