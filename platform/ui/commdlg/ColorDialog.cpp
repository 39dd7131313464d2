// ChooseColor: the 48 basic colours, the caller's 16 custom colours, and (opened with "Define
// Custom Colors" or CC_FULLOPEN) red, green and blue entry with a preview and a button that
// puts the colour among the custom ones.
#include <algorithm>
#include <vector>

#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/UpDown.h"
#include "platform/ui/commctrl/UpDownApi.h"
#include "platform/ui/commdlg/ColorChoice.h"
#include "platform/ui/commdlg/CommDlg.h"
#include "platform/ui/commdlg/CommonDialogHook.h"
#include "platform/ui/commdlg/DialogTexts.h"
#include "platform/ui/commdlg/detail/CommonDialog.h"
#include "platform/ui/commdlg/detail/SwatchGrid.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/dialog/Dialog.h"

namespace kq::ui::commdlg {

// Ids of the colour dialog's own controls.
constexpr int kBasicGrid = 720;
constexpr int kCustomGrid = 721;
constexpr int kRedEdit = 706;
constexpr int kGreenEdit = 707;
constexpr int kBlueEdit = 708;
constexpr int kPreview = 709;
constexpr int kAddCustom = 712;
constexpr int kDefineCustom = 719;
constexpr int kRedSpin = 726;
constexpr int kGreenSpin = 727;
constexpr int kBlueSpin = 728;

namespace {

constexpr short kNarrow = 150;
constexpr short kWide = 300;
const int kRightPart[] = {kPreview,  kRedEdit,   kGreenEdit, kBlueEdit, kRedSpin, kGreenSpin,
                          kBlueSpin, kAddCustom, 741,        742,       743};

class ColorDialog final : public CommonDialog {
  public:
    explicit ColorDialog(CHOOSECOLOR& cc) : cc_(cc) {
        caption_ = Tr(Text::ColorCaption);
        color_ = (cc.Flags & CC_RGBINIT) ? (cc.rgbResult & 0xFFFFFF) : RGB(0, 0, 0);
        custom_.assign(kCustomColors, RGB(255, 255, 255));
        if (cc.lpCustColors)
            std::copy_n(cc.lpCustColors, kCustomColors, custom_.begin());
    }

  private:
    SwatchGrid* Grid(int id) const { return SwatchGrid::Of(Item(id)); }

    BOOL OnInit() override {
        SetWindowText(hwnd_, caption_.c_str());
        const COLORREF* basic = BasicColors();
        Grid(kBasicGrid)
            ->SetColors(std::vector<COLORREF>(basic, basic + kBasicColorRows * kBasicColorColumns),
                        kBasicColorColumns);
        Grid(kCustomGrid)->SetColors(custom_, kCustomColors / 2);
        Grid(kPreview)->SetColors({color_}, 1);
        for (int spin : {kRedSpin, kGreenSpin, kBlueSpin})
            SendItem(spin, UDM_SETRANGE32, 0, 255);
        Grid(kBasicGrid)->Select(BasicColorIndex(color_));
        ShowColor(true);
        ShowFull((cc_.Flags & CC_FULLOPEN) != 0);
        if (cc_.Flags & CC_PREVENTFULLOPEN)
            Enable(kDefineCustom, false);
        kq::ui::SetDialogFocus(hwnd_, Item(kBasicGrid));
        return FALSE;
    }

    void ShowFull(bool full) {
        full_ = full;
        for (int id : kRightPart) {
            if (HWND item = Item(id))
                ShowWindow(item, full ? SW_SHOW : SW_HIDE);
        }
        RECT size{0, 0, full ? kWide : kNarrow, 184};
        MapDialogRect(hwnd_, &size);
        RECT frame = size;
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLong(hwnd_, GWL_EXSTYLE)));
        SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (full)
            Enable(kDefineCustom, false);
    }

    // Shows the current colour in the preview and, unless it came from them, in the fields.
    void ShowColor(bool fields) {
        Grid(kPreview)->SetColor(0, color_);
        if (!fields)
            return;
        updating_ = true;
        SetDlgItemInt(hwnd_, kRedEdit, GetRValue(color_), FALSE);
        SetDlgItemInt(hwnd_, kGreenEdit, GetGValue(color_), FALSE);
        SetDlgItemInt(hwnd_, kBlueEdit, GetBValue(color_), FALSE);
        updating_ = false;
    }

    void FromFields() {
        int parts[3] = {};
        const int ids[3] = {kRedEdit, kGreenEdit, kBlueEdit};
        for (int i = 0; i < 3; ++i) {
            bool ok = false;
            parts[i] = std::clamp(ItemInt(ids[i], &ok), 0, 255);
        }
        color_ = RGB(parts[0], parts[1], parts[2]);
        ShowColor(false);
        Grid(kBasicGrid)->Select(BasicColorIndex(color_));
    }

    void Accept() {
        cc_.rgbResult = color_;
        if (cc_.lpCustColors)
            std::copy(custom_.begin(), custom_.end(), cc_.lpCustColors);
        End(IDOK);
    }

    bool OnCommand(int id, int code, HWND) override {
        switch (id) {
            case IDOK:
                Accept();
                return true;
            case kBasicGrid:
            case kCustomGrid: {
                SwatchGrid* grid = Grid(id);
                if (grid->Selected() < 0)
                    return true;
                color_ = grid->Colors()[grid->Selected()];
                Grid(id == kBasicGrid ? kCustomGrid : kBasicGrid)->Select(-1);
                ShowColor(true);
                if (code == kSwatchActivated)
                    Accept();
                return true;
            }
            case kRedEdit:
            case kGreenEdit:
            case kBlueEdit:
                if (code == EN_CHANGE && !updating_)
                    FromFields();
                return true;
            case kDefineCustom:
                if (code == BN_CLICKED && !full_)
                    ShowFull(true);
                return true;
            case kAddCustom:
                if (code == BN_CLICKED) {
                    // Into the selected custom slot, else the next one in turn.
                    int slot = Grid(kCustomGrid)->Selected();
                    if (slot < 0)
                        slot = nextSlot_;
                    nextSlot_ = (slot + 1) % kCustomColors;
                    custom_[slot] = color_;
                    Grid(kCustomGrid)->SetColor(slot, color_);
                    Grid(kCustomGrid)->Select(slot);
                }
                return true;
            default:
                return false;
        }
    }

    CHOOSECOLOR& cc_;
    COLORREF color_;
    std::vector<COLORREF> custom_;
    bool full_ = false;
    bool updating_ = false;
    int nextSlot_ = 0;
};

void Layout(DialogBuilder& b) {
    b.Label(Tr(Text::BasicColors), 7, 5, 136, 8);
    b.Add(kSwatchGridClass, "", kBasicGrid, WS_TABSTOP | WS_GROUP, 7, 15, 136, 84);
    b.Label(Tr(Text::CustomColors), 7, 104, 136, 8);
    b.Add(kSwatchGridClass, "", kCustomGrid, WS_TABSTOP | WS_GROUP, 7, 114, 136, 28);
    b.Button(Tr(Text::DefineCustom), kDefineCustom, 7, 148, 136, 14);
    b.Button(Tr(Text::Ok), IDOK, 7, 166, 66, 14, true);
    b.Button(Tr(Text::Cancel), IDCANCEL, 77, 166, 66, 14);
    b.Add(kSwatchGridClass, "", kPreview, 0, 152, 15, 140, 40);
    const int labels[3] = {741, 742, 743};
    const Text texts[3] = {Text::Red, Text::Green, Text::Blue};
    const int edits[3] = {kRedEdit, kGreenEdit, kBlueEdit};
    const int spins[3] = {kRedSpin, kGreenSpin, kBlueSpin};
    for (int i = 0; i < 3; ++i) {
        const short y = static_cast<short>(64 + 20 * i);
        b.Label(Tr(texts[i]), 152, static_cast<short>(y + 2), 40, 8, labels[i]);
        b.Edit(edits[i], 195, y, 40, 12, ES_NUMBER);
        b.Add(UPDOWN_CLASS, "", spins[i],
              UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0,
              0, 10, 12);
    }
    b.Button(Tr(Text::AddCustom), kAddCustom, 152, 148, 140, 14);
}

}  // namespace

}  // namespace kq::ui::commdlg

BOOL ChooseColor(LPCHOOSECOLOR cc) {
    using namespace kq::ui::commdlg;
    SetExtendedError(0);
    if (!cc || cc->lStructSize != sizeof(CHOOSECOLOR)) {
        SetExtendedError(CDERR_STRUCTSIZE);
        return FALSE;
    }
    const kq::ui::CommonDialogRequest request{kq::ui::CommonDialogKind::Color, cc->hwndOwner,
                                              Tr(Text::ColorCaption), cc};
    if (const std::optional<kq::ui::CommonDialogAnswer> answer =
            kq::ui::AskCommonDialogHook(request)) {
        if (!answer->ok)
            return FALSE;
        cc->rgbResult = answer->color & 0xFFFFFF;
        return TRUE;
    }
    SwatchGrid::Register();
    kq::ui::commctrl::UpDown::Register();
    DialogBuilder builder(Tr(Text::ColorCaption), kWide, 184);
    Layout(builder);
    ColorDialog dialog(*cc);
    const INT_PTR result = dialog.Run(cc->hwndOwner, builder);
    if (result < 0) {
        SetExtendedError(CDERR_DIALOGFAILURE);
        return FALSE;
    }
    return result == IDOK ? TRUE : FALSE;
}
