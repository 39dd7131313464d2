// GetOpenFileName and GetSaveFileName: a folder list and a file list of the Linux file system,
// the name field, the file types and the read-only box. Answered by the hook when there is one.
#include <string>

#include "platform/ui/WinUser.h"
#include "platform/ui/commdlg/CommDlg.h"
#include "platform/ui/commdlg/CommonDialogHook.h"
#include "platform/ui/commdlg/DialogIds.h"
#include "platform/ui/commdlg/DialogTexts.h"
#include "platform/ui/commdlg/FileChooser.h"
#include "platform/ui/commdlg/detail/CommonDialog.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/dialog/Dialog.h"

namespace kq::ui::commdlg {

namespace {

constexpr int kMaxHookRounds = 64;

FilePrompts PromptsOver(HWND owner, const std::string& caption) {
    return FilePrompts{
        [owner, caption](const std::string& q) { return ConfirmBox(owner, caption, q); },
        [owner, caption](const std::string& c) { InformBox(owner, caption, c); }};
}

class FileDialog final : public CommonDialog {
  public:
    FileDialog(OPENFILENAME& ofn, FileChooser& chooser) : ofn_(ofn), chooser_(chooser) {
        caption_ = chooser.Caption();
    }

    bool stored = false;

  private:
    BOOL OnInit() override {
        for (const FileType& type : chooser_.Types())
            SendItem(cmb1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type.text.c_str()));
        SendItem(cmb1, CB_SETCURSEL, static_cast<WPARAM>(chooser_.TypeIndex()));
        SetItemText(edt1, chooser_.InitialName());
        Fill();
        kq::ui::SetDialogFocus(hwnd_, Item(edt1));
        return FALSE;
    }

    void Fill() {
        SetItemText(stc1, chooser_.Folder());
        SendItem(lst1, LB_RESETCONTENT);
        SendItem(lst2, LB_RESETCONTENT);
        if (chooser_.Folder() != "/")
            SendItem(lst2, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(".."));
        for (const FolderEntry& entry : chooser_.Entries())
            SendItem(entry.folder ? lst2 : lst1, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(entry.name.c_str()));
    }

    std::string ListText(int id, int index) const {
        const int length =
            static_cast<int>(SendItem(id, LB_GETTEXTLEN, static_cast<WPARAM>(index)));
        if (length < 0)
            return {};
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendItem(id, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        return text;
    }

    void EnterFolder(const std::string& name) {
        if (name == "..")
            chooser_.GoUp();
        else
            chooser_.SetFolder(chooser_.Folder() == "/" ? "/" + name
                                                        : chooser_.Folder() + "/" + name);
        SetItemText(edt1, "");
        Fill();
    }

    // The file list's selection goes into the name field (several names in quotes).
    void TakeFileSelection() {
        std::vector<int> selected;
        if (ofn_.Flags & OFN_ALLOWMULTISELECT) {
            const int count = static_cast<int>(SendItem(lst1, LB_GETSELCOUNT));
            selected.resize(static_cast<size_t>(std::max(0, count)));
            if (count > 0)
                SendItem(lst1, LB_GETSELITEMS, static_cast<WPARAM>(count),
                         reinterpret_cast<LPARAM>(selected.data()));
        } else {
            const int index = static_cast<int>(SendItem(lst1, LB_GETCURSEL));
            if (index >= 0)
                selected.push_back(index);
        }
        if (selected.empty())
            return;
        std::string text;
        if (selected.size() == 1) {
            text = ListText(lst1, selected.front());
        } else {
            for (int index : selected)
                text += (text.empty() ? "\"" : " \"") + ListText(lst1, index) + "\"";
        }
        SetItemText(edt1, text);
    }

    void Confirm() {
        const std::string before = chooser_.Folder();
        const bool readOnly = IsDlgButtonChecked(hwnd_, chx1) == BST_CHECKED;
        if (chooser_.Submit(ItemText(edt1), PromptsOver(hwnd_, caption_)) ==
            FileChooser::Step::Accept) {
            stored = chooser_.Store(ofn_, readOnly);
            End(stored ? IDOK : IDCANCEL);
            return;
        }
        if (chooser_.Folder() != before)
            SetItemText(edt1, "");
        Fill();
    }

    bool OnCommand(int id, int code, HWND) override {
        switch (id) {
            case IDOK:
                // Enter on the folder list opens the folder rather than confirming the name.
                if (GetFocus() == Item(lst2)) {
                    const int index = static_cast<int>(SendItem(lst2, LB_GETCURSEL));
                    if (index >= 0) {
                        EnterFolder(ListText(lst2, index));
                        return true;
                    }
                }
                Confirm();
                return true;
            case lst2:
                if (code == LBN_DBLCLK) {
                    const int index = static_cast<int>(SendItem(lst2, LB_GETCURSEL));
                    if (index >= 0)
                        EnterFolder(ListText(lst2, index));
                }
                return true;
            case lst1:
                if (code == LBN_SELCHANGE)
                    TakeFileSelection();
                else if (code == LBN_DBLCLK) {
                    TakeFileSelection();
                    Confirm();
                }
                return true;
            case cmb1:
                if (code == CBN_SELCHANGE) {
                    chooser_.SetTypeIndex(static_cast<int>(SendItem(cmb1, CB_GETCURSEL)));
                    Fill();
                }
                return true;
            case psh3:
                if (code == BN_CLICKED) {
                    chooser_.GoUp();
                    Fill();
                }
                return true;
            default:
                return false;
        }
    }

    OPENFILENAME& ofn_;
    FileChooser& chooser_;
};

void Layout(DialogBuilder& b, const OPENFILENAME& ofn, bool save) {
    b.Label(Tr(save ? Text::SaveIn : Text::LookIn), 7, 8, 50, 8, stc4);
    b.Add("STATIC", "", stc1, SS_LEFTNOWORDWRAP | SS_NOPREFIX, 60, 8, 186, 8);
    b.Button("..", psh3, 252, 5, 21, 14);
    b.List(lst2, 7, 22, 130, 100);
    b.List(lst1, 143, 22, 130, 100, (ofn.Flags & OFN_ALLOWMULTISELECT) ? LBS_EXTENDEDSEL : 0);
    b.Label(Tr(Text::FileName), 7, 130, 56, 8, stc3);
    b.Edit(edt1, 65, 128, 150, 12);
    b.Button(Tr(save ? Text::SaveButton : Text::OpenButton), IDOK, 223, 127, 50, 14, true);
    b.Label(Tr(Text::FilesOfType), 7, 148, 56, 8, stc2);
    b.DropList(cmb1, 65, 146, 150, 80);
    b.Button(Tr(Text::Cancel), IDCANCEL, 223, 145, 50, 14);
    if (!save && !(ofn.Flags & OFN_HIDEREADONLY))
        b.Check(Tr(Text::ReadOnly), chx1, 65, 164, 150, 10);
}

BOOL RunFileDialog(LPOPENFILENAME ofn, bool save) {
    SetExtendedError(0);
    if (!ofn || ofn->lStructSize != sizeof(OPENFILENAME)) {
        SetExtendedError(CDERR_STRUCTSIZE);
        return FALSE;
    }
    if (!ofn->lpstrFile || ofn->nMaxFile == 0) {
        SetExtendedError(CDERR_INITIALIZATION);
        return FALSE;
    }
    FileChooser chooser(*ofn, save);
    const CommonDialogRequest request{
        save ? CommonDialogKind::SaveFile : CommonDialogKind::OpenFile, ofn->hwndOwner,
        chooser.Caption(), ofn};
    bool answered = false;
    for (int round = 0; round < kMaxHookRounds; ++round) {
        const std::optional<CommonDialogAnswer> answer = AskCommonDialogHook(request);
        if (!answer)
            break;
        answered = true;
        if (!answer->ok)
            return FALSE;
        if (answer->filterIndex > 0)
            chooser.SetTypeIndex(answer->filterIndex - 1);
        if (chooser.Submit(answer->text, PromptsOver(ofn->hwndOwner, chooser.Caption())) ==
            FileChooser::Step::Accept)
            return chooser.Store(*ofn, answer->readOnly) ? TRUE : FALSE;
    }
    // A hook that answered before but no longer does leaves the dialog cancelled.
    if (answered)
        return FALSE;
    DialogBuilder builder(chooser.Caption(), 280, 180);
    Layout(builder, *ofn, save);
    FileDialog dialog(*ofn, chooser);
    const INT_PTR result = dialog.Run(ofn->hwndOwner, builder);
    if (result < 0) {
        SetExtendedError(CDERR_DIALOGFAILURE);
        return FALSE;
    }
    return result == IDOK && dialog.stored ? TRUE : FALSE;
}

}  // namespace

}  // namespace kq::ui::commdlg

BOOL GetOpenFileName(LPOPENFILENAME ofn) {
    return kq::ui::commdlg::RunFileDialog(ofn, false);
}

BOOL GetSaveFileName(LPOPENFILENAME ofn) {
    return kq::ui::commdlg::RunFileDialog(ofn, true);
}
