// SHBrowseForFolder: the folders of the current folder in a list, the chosen path in a field
// that may also be typed into, and a button that makes a new folder. The caller's callback
// hears BFFM_INITIALIZED and BFFM_SELCHANGED and may send BFFM_SETSELECTION and its friends.
#include <filesystem>
#include <string>

#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commdlg/CommDlg.h"
#include "platform/ui/commdlg/CommonDialogHook.h"
#include "platform/ui/commdlg/DialogIds.h"
#include "platform/ui/commdlg/DialogTexts.h"
#include "platform/ui/commdlg/FileTypes.h"
#include "platform/ui/commdlg/detail/CommonDialog.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/dialog/Dialog.h"

namespace kq::ui::commdlg {

namespace {

namespace fs = std::filesystem;
constexpr int kMaxHookRounds = 64;

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

std::string Normal(const std::string& path) {
    std::string s = fs::path(path).lexically_normal().string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

std::string Resolve(const std::string& folder, const std::string& typed) {
    if (typed.empty())
        return folder;
    if (typed == "~" || typed.rfind("~/", 0) == 0)
        return Normal(kq::HomeFolder() + typed.substr(1));
    if (typed[0] == '/')
        return Normal(typed);
    return Normal(kq::JoinPath(folder, typed));
}

std::string NameOf(const std::string& path) {
    const std::string name = fs::path(path).filename().string();
    return name.empty() ? path : name;
}

// Writes the result the way the shell does: the list, and the folder's name for display.
LPITEMIDLIST Result(LPBROWSEINFO bi, const std::string& path) {
    if (bi->pszDisplayName) {
        const std::string name = NameOf(path);
        const size_t n = std::min<size_t>(name.size(), MAX_PATH - 1);
        name.copy(bi->pszDisplayName, n);
        bi->pszDisplayName[n] = '\0';
    }
    return ILCreateFromPath(path.c_str());
}

class FolderDialog final : public CommonDialog {
  public:
    explicit FolderDialog(LPBROWSEINFO bi) : bi_(bi) {
        caption_ = Tr(Text::FolderCaption);
        folder_ = Normal(kq::HomeFolder());
    }

    std::string chosen;

  private:
    BOOL OnInit() override {
        SetWindowText(hwnd_, caption_.c_str());
        ShowFolder(folder_);
        Callback(BFFM_INITIALIZED, 0);
        kq::ui::SetDialogFocus(hwnd_, Item(lst1));
        return FALSE;
    }

    void Callback(UINT message, LPARAM lParam) {
        if (bi_->lpfn)
            bi_->lpfn(hwnd_, message, lParam, bi_->lParam);
    }

    void Selected(const std::string& path) {
        SetItemText(edt1, path);
        if (!bi_->lpfn)
            return;
        LPITEMIDLIST pidl = ILCreateFromPath(path.c_str());
        Callback(BFFM_SELCHANGED, reinterpret_cast<LPARAM>(pidl));
        ILFree(pidl);
    }

    void ShowFolder(const std::string& folder) {
        folder_ = folder;
        SendItem(lst1, LB_RESETCONTENT);
        if (folder_ != "/")
            SendItem(lst1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(".."));
        for (const FolderEntry& entry : ListFolder(folder_, nullptr, false)) {
            if (entry.folder)
                SendItem(lst1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name.c_str()));
        }
        Selected(folder_);
    }

    std::string SelectedPath() const {
        const int index = static_cast<int>(SendItem(lst1, LB_GETCURSEL));
        if (index < 0)
            return {};
        const int length =
            static_cast<int>(SendItem(lst1, LB_GETTEXTLEN, static_cast<WPARAM>(index)));
        std::string name(static_cast<size_t>(std::max(0, length)) + 1, '\0');
        SendItem(lst1, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(name.data()));
        name.resize(static_cast<size_t>(std::max(0, length)));
        return name == ".." ? Normal(fs::path(folder_).parent_path().string())
                            : Resolve(folder_, name);
    }

    void MakeFolder() {
        std::string path = Resolve(folder_, ItemText(edt1));
        std::error_code ec;
        if (fs::exists(path, ec)) {
            // A new folder under the current one, named so that it is new.
            const std::string base = kq::JoinPath(folder_, Tr(Text::NewFolderName));
            path = base;
            for (int n = 2; fs::exists(path, ec); ++n)
                path = base + " (" + std::to_string(n) + ")";
        }
        if (SHCreateDirectoryEx(hwnd_, path.c_str(), nullptr) != 0) {
            Inform(TrWith(Text::FolderNotCreated, path));
            return;
        }
        const std::string parent = Normal(fs::path(path).parent_path().string());
        ShowFolder(parent == folder_ ? folder_ : parent);
        const std::string name = NameOf(path);
        SendItem(lst1, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(name.c_str()));
        Selected(path);
    }

    bool OnCommand(int id, int code, HWND) override {
        switch (id) {
            case IDOK: {
                const std::string path = Resolve(folder_, ItemText(edt1));
                if (!IsFolder(path)) {
                    Inform(TrWith(Text::NotAFolder, path));
                    return true;
                }
                chosen = path;
                End(IDOK);
                return true;
            }
            case lst1:
                if (code == LBN_SELCHANGE) {
                    const std::string path = SelectedPath();
                    if (!path.empty())
                        Selected(path);
                } else if (code == LBN_DBLCLK) {
                    const std::string path = SelectedPath();
                    if (IsFolder(path))
                        ShowFolder(path);
                }
                return true;
            case psh1:
                if (code == BN_CLICKED)
                    MakeFolder();
                return true;
            default:
                return false;
        }
    }

    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override {
        handled = true;
        switch (message) {
            case BFFM_SETSELECTION:
            case BFFM_SETEXPANDED: {
                char path[MAX_PATH] = {};
                std::string target;
                if (wParam && lParam)
                    target = reinterpret_cast<LPCSTR>(lParam);
                else if (SHGetPathFromIDList(reinterpret_cast<LPCITEMIDLIST>(lParam), path))
                    target = path;
                target = Resolve(folder_, target);
                if (IsFolder(target))
                    ShowFolder(target);
                return TRUE;
            }
            case BFFM_SETSTATUSTEXT:
                if (lParam)
                    SetItemText(stc2, reinterpret_cast<LPCSTR>(lParam));
                return 0;
            case BFFM_ENABLEOK:
                Enable(IDOK, lParam != 0);
                return 0;
            case BFFM_SETOKTEXT:
                if (lParam)
                    SetItemText(IDOK, reinterpret_cast<LPCSTR>(lParam));
                return 0;
            default:
                handled = false;
                return 0;
        }
    }

    LPBROWSEINFO bi_;
    std::string folder_;
};

}  // namespace

}  // namespace kq::ui::commdlg

LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFO bi) {
    using namespace kq::ui::commdlg;
    if (!bi)
        return nullptr;
    const std::string caption = Tr(Text::FolderCaption);
    const kq::ui::CommonDialogRequest request{kq::ui::CommonDialogKind::Folder, bi->hwndOwner,
                                              caption, bi};
    bool answered = false;
    for (int round = 0; round < kMaxHookRounds; ++round) {
        const std::optional<kq::ui::CommonDialogAnswer> answer =
            kq::ui::AskCommonDialogHook(request);
        if (!answer)
            break;
        answered = true;
        if (!answer->ok)
            return nullptr;
        const std::string path = Resolve(kq::HomeFolder(), answer->text);
        if (IsFolder(path))
            return Result(bi, path);
        InformBox(bi->hwndOwner, caption, TrWith(Text::NotAFolder, path));
    }
    // A hook that answered before but no longer does leaves the dialog cancelled.
    if (answered)
        return nullptr;
    DialogBuilder b(caption, 220, 198);
    b.Add("STATIC", bi->lpszTitle ? bi->lpszTitle : Tr(Text::FolderTitle), stc1,
          SS_LEFT | SS_NOPREFIX, 7, 7, 206, 18);
    b.List(lst1, 7, 28, 206, 110);
    b.Label(Tr(Text::FolderLabel), 7, 146, 34, 8, stc3);
    b.Edit(edt1, 42, 144, 171, 12);
    if (bi->ulFlags & BIF_STATUSTEXT)
        b.Add("STATIC", "", stc2, SS_LEFTNOWORDWRAP | SS_NOPREFIX, 7, 161, 206, 8);
    if (!(bi->ulFlags & BIF_NONEWFOLDERBUTTON))
        b.Button(Tr(Text::MakeNewFolder), psh1, 7, 177, 95, 14);
    b.Button(Tr(Text::Ok), IDOK, 109, 177, 50, 14, true);
    b.Button(Tr(Text::Cancel), IDCANCEL, 163, 177, 50, 14);
    FolderDialog dialog(bi);
    const INT_PTR result = dialog.Run(bi->hwndOwner, b);
    if (result != IDOK || dialog.chosen.empty())
        return nullptr;
    return Result(bi, dialog.chosen);
}
