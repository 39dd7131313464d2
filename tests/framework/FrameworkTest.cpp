#include "framework/FrameworkTest.h"

#include "platform/base/Registry.h"
#include "platform/framework/detail/WndThreadState.h"

namespace kq::fw::test {

namespace {

constexpr UINT kBmGetCheck = 0x00F0;
constexpr UINT kBmSetCheck = 0x00F1;
constexpr UINT kCbGetCount = 0x0146;
constexpr UINT kCbGetCurSel = 0x0147;
constexpr UINT kCbGetLbText = 0x0148;
constexpr UINT kCbGetLbTextLen = 0x0149;
constexpr UINT kCbSelectString = 0x014D;
constexpr UINT kCbSetCurSel = 0x014E;
constexpr UINT kCbFindStringExact = 0x0158;
constexpr LRESULT kDlgcButton = 0x2000;
constexpr LRESULT kDlgcRadioButton = 0x0040;
constexpr WORD kEnChange = 0x0300;

}  // namespace

void FrameworkTest::SetUp() {
    UiTest::SetUp();
    roots_ = std::make_unique<kq::ScopedFolderRoots>(folder_.Path());
    kq::SetRegistryFilePath(folder_ / "registry.reg");
    kq::fw::SetMessageBoxFunction(
        [this](HWND, const CString& text, const CString& caption, UINT type) {
            boxes_.push_back(ShownBox{text, caption, type});
            return boxAnswer_;
        });
}

void FrameworkTest::TearDown() {
    UiTest::TearDown();
    CWnd::DeleteTempMap();
    kq::fw::SetMessageBoxFunction(nullptr);
    kq::SetRegistryFilePath(folder_ / "registry.reg");
    roots_.reset();
}

HWND FrameworkTest::CreateFakeControl(HWND parent, int id, DWORD style) {
    HWND hwnd = CreateChild(parent, id, RECT{0, 0, 50, 20}, style);
    OnMessage(hwnd,
              [this](HWND h, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
                  switch (message) {
                      case WM_SETTEXT: {
                          LRESULT result = DefWindowProc(h, message, wParam, lParam);
                          SendMessage(::GetParent(h), WM_COMMAND,
                                      MAKEWPARAM(static_cast<DWORD>(GetDlgCtrlID(h)), kEnChange),
                                      reinterpret_cast<LPARAM>(h));
                          return result;
                      }
                      case kBmGetCheck:
                          return checks_[h];
                      case kBmSetCheck:
                          checks_[h] = static_cast<int>(wParam);
                          return 0;
                      case WM_GETDLGCODE: {
                          const DWORD type = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)) & 0x0F;
                          if (type == 0x04 || type == 0x09)
                              return kDlgcRadioButton | kDlgcButton;
                          return kDlgcButton;
                      }
                      default:
                          return std::nullopt;
                  }
              });
    return hwnd;
}

HWND FrameworkTest::CreateFakeCombo(HWND parent, int id, std::vector<std::string> items,
                                    DWORD style) {
    HWND hwnd = CreateChild(parent, id, RECT{0, 0, 80, 20}, style);
    comboItems_[hwnd] = std::move(items);
    comboSelection_[hwnd] = -1;
    OnMessage(
        hwnd, [this](HWND h, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
            auto& items = comboItems_[h];
            auto find = [&](const char* text) -> LRESULT {
                for (size_t i = 0; i < items.size(); ++i) {
                    if (items[i] == text)
                        return static_cast<LRESULT>(i);
                }
                return -1;
            };
            switch (message) {
                case kCbGetCount:
                    return static_cast<LRESULT>(items.size());
                case kCbGetCurSel:
                    return comboSelection_[h];
                case kCbSetCurSel:
                    comboSelection_[h] = static_cast<int>(wParam) < static_cast<int>(items.size())
                                             ? static_cast<int>(wParam)
                                             : -1;
                    return comboSelection_[h];
                case kCbGetLbTextLen:
                    return wParam < items.size() ? static_cast<LRESULT>(items[wParam].size()) : -1;
                case kCbGetLbText:
                    if (wParam >= items.size())
                        return -1;
                    std::strcpy(reinterpret_cast<char*>(lParam), items[wParam].c_str());
                    return static_cast<LRESULT>(items[wParam].size());
                case kCbSelectString:
                case kCbFindStringExact: {
                    const LRESULT index = find(reinterpret_cast<const char*>(lParam));
                    if (message == kCbSelectString && index >= 0)
                        comboSelection_[h] = static_cast<int>(index);
                    return index;
                }
                default:
                    return std::nullopt;
            }
        });
    return hwnd;
}

std::string FrameworkTest::TextOf(HWND hwnd) const {
    char buffer[512] = {};
    GetWindowText(hwnd, buffer, sizeof buffer);
    return buffer;
}

size_t TemporaryWindowObjects() {
    auto& state = kq::fw::detail::ThreadState();
    return state.temporary.size() + state.replacedTemporaries.size();
}

}  // namespace kq::fw::test
