// ChooseFont: the installed families, the four styles, sizes in points, and with CF_EFFECTS
// strike-out, underline and a text colour, with a sample of the choice.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commdlg/CommDlg.h"
#include "platform/ui/commdlg/CommonDialogHook.h"
#include "platform/ui/commdlg/DialogIds.h"
#include "platform/ui/commdlg/DialogTexts.h"
#include "platform/ui/commdlg/FontChoice.h"
#include "platform/ui/commdlg/detail/CommonDialog.h"
#include "platform/ui/commdlg/detail/FontSample.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/dialog/Dialog.h"

namespace kq::ui::commdlg {

namespace {

constexpr int kMaxHookRounds = 64;
const COLORREF kTextColors[16] = {
    RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
    RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(128, 128, 128),
    RGB(192, 192, 192), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
    RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
};

class FontDialog final : public CommonDialog {
  public:
    FontDialog(CHOOSEFONT& cf, std::vector<std::string> families)
        : cf_(cf), families_(std::move(families)) {
        caption_ = Tr(Text::FontCaption);
        selection_ = InitialFontSelection(cf, families_);
    }

  private:
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

    BOOL OnInit() override {
        SetWindowText(hwnd_, caption_.c_str());
        updating_ = true;
        for (const std::string& family : families_)
            SendItem(lst1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(family.c_str()));
        for (int style = 0; style < 4; ++style)
            SendItem(lst2, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(StyleName(style & 2, style & 1).c_str()));
        for (int size : StandardFontSizes())
            SendItem(lst3, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(size).c_str()));
        if (cf_.Flags & CF_EFFECTS) {
            int chosen = -1;
            for (int i = 0; i < 16; ++i) {
                SendItem(cmb1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ColorName(i)));
                if (kTextColors[i] == (selection_.color & 0xFFFFFF))
                    chosen = i;
            }
            if (chosen < 0) {
                const COLORREF c = selection_.color & 0xFFFFFF;
                const std::string custom = "RGB(" + std::to_string(GetRValue(c)) + ", " +
                                           std::to_string(GetGValue(c)) + ", " +
                                           std::to_string(GetBValue(c)) + ")";
                chosen = static_cast<int>(
                    SendItem(cmb1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(custom.c_str())));
            }
            SendItem(cmb1, CB_SETCURSEL, static_cast<WPARAM>(chosen));
            CheckDlgButton(hwnd_, chx1, selection_.strikeOut ? BST_CHECKED : BST_UNCHECKED);
            CheckDlgButton(hwnd_, chx2, selection_.underline ? BST_CHECKED : BST_UNCHECKED);
        }
        SetItemText(edt1, selection_.face);
        SelectInList(lst1, selection_.face);
        const int style = (selection_.bold ? 2 : 0) | (selection_.italic ? 1 : 0);
        SendItem(lst2, LB_SETCURSEL, static_cast<WPARAM>(style));
        SetItemText(edt2, StyleName(selection_.bold, selection_.italic));
        SetItemText(edt3, std::to_string(selection_.pointSize));
        SelectInList(lst3, std::to_string(selection_.pointSize));
        updating_ = false;
        ShowSample();
        kq::ui::SetDialogFocus(hwnd_, Item(edt1));
        return FALSE;
    }

    void SelectInList(int id, const std::string& text) {
        const LRESULT index = SendItem(id, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text.c_str()));
        SendItem(id, LB_SETCURSEL, static_cast<WPARAM>(index >= 0 ? index : -1));
    }

    // The controls' state; false with a complaint already made when the size is no number.
    bool Gather(bool complain) {
        selection_.face = ItemText(edt1);
        const std::string listed = FindFamily(families_, selection_.face);
        if (!listed.empty())
            selection_.face = listed;
        const int style = static_cast<int>(SendItem(lst2, LB_GETCURSEL));
        selection_.bold = style >= 0 && (style & 2);
        selection_.italic = style >= 0 && (style & 1);
        bool ok = false;
        const int size = ItemInt(edt3, &ok);
        if (!ok) {
            if (complain) {
                Inform(Tr(Text::SizeNotNumber));
                kq::ui::SetDialogFocus(hwnd_, Item(edt3));
            }
            return false;
        }
        selection_.pointSize = size;
        if (cf_.Flags & CF_EFFECTS) {
            selection_.strikeOut = IsDlgButtonChecked(hwnd_, chx1) == BST_CHECKED;
            selection_.underline = IsDlgButtonChecked(hwnd_, chx2) == BST_CHECKED;
            const int color = static_cast<int>(SendItem(cmb1, CB_GETCURSEL));
            if (color >= 0 && color < 16)
                selection_.color = kTextColors[color];
        }
        return true;
    }

    void ShowSample() {
        if (updating_ || !Gather(false))
            return;
        LOGFONT lf{};
        CHOOSEFONT probe = cf_;
        probe.lpLogFont = &lf;
        probe.Flags |= CF_EFFECTS;
        probe.lpszStyle = nullptr;
        probe.Flags &= ~CF_USESTYLE;
        StoreFontSelection(probe, selection_);
        if (FontSample* sample = FontSample::Of(Item(stc5)))
            sample->Show(
                lf, (cf_.Flags & CF_EFFECTS) ? selection_.color : GetSysColor(COLOR_WINDOWTEXT));
    }

    bool OnCommand(int id, int code, HWND) override {
        switch (id) {
            case IDOK: {
                if (!Gather(true))
                    return true;
                if (std::optional<std::string> problem =
                        CheckFontSelection(cf_, selection_, families_)) {
                    Inform(*problem);
                    return true;
                }
                StoreFontSelection(cf_, selection_);
                End(IDOK);
                return true;
            }
            case edt1:
                if (code == EN_CHANGE && !updating_) {
                    // Typing picks the first family that starts with the text.
                    const std::string typed = ItemText(edt1);
                    const LRESULT index = SendItem(lst1, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                                   reinterpret_cast<LPARAM>(typed.c_str()));
                    SendItem(lst1, LB_SETCURSEL, static_cast<WPARAM>(index >= 0 ? index : -1));
                    ShowSample();
                }
                return true;
            case lst1:
            case lst3:
                if (code == LBN_SELCHANGE && !updating_) {
                    const int index = static_cast<int>(SendItem(id, LB_GETCURSEL));
                    if (index >= 0) {
                        updating_ = true;
                        SetItemText(id == lst1 ? edt1 : edt3, ListText(id, index));
                        updating_ = false;
                    }
                    ShowSample();
                } else if (code == LBN_DBLCLK) {
                    OnCommand(IDOK, BN_CLICKED, nullptr);
                }
                return true;
            case lst2:
                if (code == LBN_SELCHANGE) {
                    const int index = static_cast<int>(SendItem(lst2, LB_GETCURSEL));
                    if (index >= 0)
                        SetItemText(edt2, ListText(lst2, index));
                    ShowSample();
                }
                return true;
            case edt3:
                if (code == EN_CHANGE && !updating_) {
                    SelectInList(lst3, ItemText(edt3));
                    ShowSample();
                }
                return true;
            case chx1:
            case chx2:
            case cmb1:
                ShowSample();
                return true;
            default:
                return false;
        }
    }

    CHOOSEFONT& cf_;
    std::vector<std::string> families_;
    FontSelection selection_;
    bool updating_ = false;
};

void Layout(DialogBuilder& b, DWORD flags) {
    b.Label(Tr(Text::FontFace), 7, 7, 98, 8, stc1);
    b.Edit(edt1, 7, 17, 98, 12);
    b.List(lst1, 7, 30, 98, 76, LBS_SORT | LBS_HASSTRINGS);
    b.Label(Tr(Text::FontStyle), 112, 7, 74, 8, stc2);
    b.Edit(edt2, 112, 17, 74, 12, ES_READONLY);
    b.List(lst2, 112, 30, 74, 76);
    b.Label(Tr(Text::FontSize), 193, 7, 36, 8, stc3);
    b.Edit(edt3, 193, 17, 36, 12);
    b.List(lst3, 193, 30, 36, 76);
    b.Button(Tr(Text::Ok), IDOK, 236, 17, 50, 14, true);
    b.Button(Tr(Text::Cancel), IDCANCEL, 236, 34, 50, 14);
    if (flags & CF_EFFECTS) {
        b.Group(Tr(Text::Effects), 7, 112, 98, 66);
        b.Check(Tr(Text::Strikeout), chx1, 13, 124, 88, 10);
        b.Check(Tr(Text::Underline), chx2, 13, 138, 88, 10);
        b.Label(Tr(Text::FontColor), 13, 152, 88, 8, stc4);
        b.DropList(cmb1, 13, 162, 88, 100);
    }
    b.Group(Tr(Text::Sample), 112, 112, 174, 66);
    b.Add(kFontSampleClass, "", stc5, 0, 118, 124, 162, 48);
}

FontSelection FromAnswer(const kq::ui::CommonDialogAnswer& a, const FontSelection& initial) {
    FontSelection s = initial;
    if (!a.face.empty())
        s.face = a.face;
    if (a.pointSize > 0)
        s.pointSize = a.pointSize;
    s.bold = a.bold;
    s.italic = a.italic;
    s.underline = a.underline;
    s.strikeOut = a.strikeOut;
    s.color = a.color & 0xFFFFFF;
    return s;
}

}  // namespace

}  // namespace kq::ui::commdlg

BOOL ChooseFont(LPCHOOSEFONT cf) {
    using namespace kq::ui::commdlg;
    SetExtendedError(0);
    if (!cf || cf->lStructSize != sizeof(CHOOSEFONT)) {
        SetExtendedError(CDERR_STRUCTSIZE);
        return FALSE;
    }
    if ((cf->Flags & CF_LIMITSIZE) && cf->nSizeMax < cf->nSizeMin) {
        SetExtendedError(CFERR_MAXLESSTHANMIN);
        return FALSE;
    }
    std::vector<std::string> families = FontFamilies();
    if (families.empty()) {
        SetExtendedError(CFERR_NOFONTS);
        return FALSE;
    }
    const std::string caption = Tr(Text::FontCaption);
    const kq::ui::CommonDialogRequest request{kq::ui::CommonDialogKind::Font, cf->hwndOwner,
                                              caption, cf};
    bool answered = false;
    for (int round = 0; round < kMaxHookRounds; ++round) {
        const std::optional<kq::ui::CommonDialogAnswer> answer =
            kq::ui::AskCommonDialogHook(request);
        if (!answer)
            break;
        answered = true;
        if (!answer->ok)
            return FALSE;
        FontSelection s = FromAnswer(*answer, InitialFontSelection(*cf, families));
        const std::string listed = FindFamily(families, s.face);
        if (!listed.empty())
            s.face = listed;
        if (std::optional<std::string> problem = CheckFontSelection(*cf, s, families)) {
            InformBox(cf->hwndOwner, caption, *problem);
            continue;
        }
        StoreFontSelection(*cf, s);
        return TRUE;
    }
    // A hook that answered before but no longer does leaves the dialog cancelled.
    if (answered)
        return FALSE;
    FontSample::Register();
    DialogBuilder builder(caption, 293, 185);
    Layout(builder, cf->Flags);
    FontDialog dialog(*cf, std::move(families));
    const INT_PTR result = dialog.Run(cf->hwndOwner, builder);
    if (result < 0) {
        SetExtendedError(CDERR_DIALOGFAILURE);
        return FALSE;
    }
    return result == IDOK ? TRUE : FALSE;
}
