// The label dialog: loads the label and the owner chart's curve list, writes back on Apply or
// OK, and sets the font (with the text colour it starts from) at once.
#include "chart/dialogs/LabelDlg.h"

#include "chart/XGraph.h"
#include "chart/dialogs/ChartDialogIds.h"
#include "chart/dialogs/ChartTabPage.h"
#include "chart/dialogs/ChartTexts.h"
#include "chart/dialogs/DialogResources.h"
#include "platform/framework/DataExchange.h"
#include "platform/framework/commdlg/FontDialog.h"
#include "platform/ui/controls/ComboBox.h"

namespace {}  // namespace

BEGIN_MESSAGE_MAP(CLabelDlg, CDialog)
ON_BN_CLICKED(IDC_XG_APPLY, &CLabelDlg::OnApply)
ON_BN_CLICKED(IDC_XG_LABELFONT, &CLabelDlg::OnFont)
ON_BN_CLICKED(IDC_XG_BORDER, &CLabelDlg::OnChange)
ON_BN_CLICKED(IDC_XG_TRANSPARENT, &CLabelDlg::OnChange)
ON_CBN_SELCHANGE(IDC_XG_ALIGNMENT, &CLabelDlg::OnChange)
ON_CBN_SELCHANGE(IDC_XG_ANCHOR, &CLabelDlg::OnChange)
ON_MESSAGE(kq::chart::kColourChanged, &CLabelDlg::OnColourChanged)
END_MESSAGE_MAP()

CLabelDlg::CLabelDlg(CXGraphLabel* label, CWnd* parent)
    : CDialog(IDD_XG_LABEL, parent), m_pLabel(label) {}

void CLabelDlg::ShowFor(CXGraphLabel* label) {
    CLabelDlg dialog(label, label->m_pGraph);
    dialog.DoModal();
}

INT_PTR CLabelDlg::DoModal() {
    kq::chart::EnsureDialogResources();
    return CDialog::DoModal();
}

void CLabelDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_XG_ANCHOR, m_CurveCombo);
    DDX_Control(pDX, IDC_XG_COLOR, m_Color);
    DDX_ColorButton(pDX, IDC_XG_COLOR, m_crBack);
    DDX_Check(pDX, IDC_XG_BORDER, m_bBorder);
    DDX_CBIndex(pDX, IDC_XG_ALIGNMENT, m_nAlignment);
    DDX_CBIndex(pDX, IDC_XG_ANCHOR, m_nAnchorCurve);
    DDX_Check(pDX, IDC_XG_TRANSPARENT, m_bTransparent);
}

BOOL CLabelDlg::OnInitDialog() {
    kq::chart::FillList(
        this, IDC_XG_ALIGNMENT,
        {kq::chart::ChartText::Left, kq::chart::ChartText::Centered, kq::chart::ChartText::Right});
    if (m_pLabel != nullptr) {
        m_bBorder = m_pLabel->m_bBorder ? 1 : 0;
        m_crBack = m_pLabel->m_crBkColor;
        m_nAlignment = kq::chart::Clamped(m_pLabel->GetAlignment(), 0, 2);
        m_bTransparent = m_pLabel->m_bTransparent ? 1 : 0;
        CXGraph* graph = m_pLabel->m_pGraph;
        CString line;
        for (int i = 0; graph != nullptr && i < graph->GetCurveCount(); ++i) {
            line.Format("%02d %s", i + 1, graph->GetCurve(i).GetLabel().GetString());
            ::SendDlgItemMessage(m_hWnd, IDC_XG_ANCHOR, CB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(line.GetString()));
        }
        int curves = graph != nullptr ? graph->GetCurveCount() : 0;
        m_nAnchorCurve =
            m_pLabel->m_nCurve >= 0 && m_pLabel->m_nCurve < curves ? m_pLabel->m_nCurve : -1;
    }
    CDialog::OnInitDialog();
    return TRUE;
}

bool CLabelDlg::Apply() {
    if (m_pLabel == nullptr)
        return true;
    int alignment = m_nAlignment;
    if (!UpdateData(TRUE))
        return false;
    m_nAlignment = kq::chart::ChosenOr(m_nAlignment, alignment);
    m_pLabel->m_bBorder = m_bBorder != 0;
    m_pLabel->SetColor(m_crBack);
    if (m_nAlignment >= 0)
        m_pLabel->SetAlignment(m_nAlignment);
    m_pLabel->m_nCurve = m_nAnchorCurve;
    m_pLabel->m_bTransparent = m_bTransparent != 0;
    CXGraph* graph = m_pLabel->m_pGraph;
    if (graph != nullptr && ::IsWindow(graph->GetSafeHwnd()))
        graph->Invalidate(TRUE);
    if (CWnd* apply = GetDlgItem(IDC_XG_APPLY))
        apply->EnableWindow(FALSE);
    return true;
}

void CLabelDlg::OnApply() {
    Apply();
}

void CLabelDlg::OnOK() {
    if (Apply())
        EndDialog(IDOK);
}

void CLabelDlg::OnChange() {
    if (CWnd* apply = GetDlgItem(IDC_XG_APPLY))
        apply->EnableWindow(TRUE);
}

LRESULT CLabelDlg::OnColourChanged(WPARAM, LPARAM) {
    OnChange();
    return 0;
}

void CLabelDlg::OnFont() {
    CFontDialog dialog(nullptr, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
    // Picking only a face keeps the text colour.
    if (m_pLabel != nullptr)
        dialog.m_cf.rgbColors = m_pLabel->m_crTextColor;
    if (dialog.DoModal() != IDOK || m_pLabel == nullptr)
        return;
    LOGFONT font{};
    dialog.GetCurrentFont(&font);
    m_pLabel->SetLogFont(font);
    m_pLabel->m_crTextColor = dialog.GetColor();
    OnChange();
}
