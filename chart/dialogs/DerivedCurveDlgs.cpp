// The moving-average and trend dialogs: their lists and spin ranges, and the validation of the
// window size, extension and degree.
#include "chart/dialogs/DerivedCurveDlgs.h"

#include "chart/XGraphObject.h"
#include "chart/dialogs/ChartDialogIds.h"
#include "chart/dialogs/ChartTabPage.h"
#include "chart/dialogs/DialogResources.h"
#include "platform/framework/DataExchange.h"

namespace {

const char* const kAverageKinds[] = {"Simple", "Linear", "Exponential", "Triangular",
                                     "Sine-weighted"};

}  // namespace

CMovingAvgDlg::CMovingAvgDlg(CWnd* parent) : CDialog(IDD_XG_MOVINGAVG, parent) {}

INT_PTR CMovingAvgDlg::DoModal() {
    kq::chart::EnsureDialogResources();
    return CDialog::DoModal();
}

void CMovingAvgDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_XG_WINDOWSPIN, m_Spin);
    DDX_CBIndex(pDX, IDC_XG_DRAWMODE, m_nKind);
    DDX_Text(pDX, IDC_XG_WINDOWSIZE, m_nWindowSize);
    DDV_MinMaxInt(pDX, m_nWindowSize, 1, m_nMaximum);
}

BOOL CMovingAvgDlg::OnInitDialog() {
    kq::chart::FillList(this, IDC_XG_DRAWMODE, kAverageKinds, 5);
    m_nMaximum = m_nMaximum < 1 ? 1 : m_nMaximum;
    m_nWindowSize = kq::chart::Clamped(m_nWindowSize, 1, m_nMaximum);
    CDialog::OnInitDialog();
    m_Spin.SetRange32(1, m_nMaximum);
    return TRUE;
}

CTrendDlg::CTrendDlg(CWnd* parent) : CDialog(IDD_XG_TREND, parent) {}

INT_PTR CTrendDlg::DoModal() {
    kq::chart::EnsureDialogResources();
    return CDialog::DoModal();
}

void CTrendDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_XG_DEGREESPIN, m_DegreeSpin);
    DDX_Control(pDX, IDC_XG_EXTENSIONSPIN, m_ExtensionSpin);
    DDX_Text(pDX, IDC_XG_EXTENSION, m_nExtension);
    DDV_MinMaxInt(pDX, m_nExtension, 0, kMaxExtension);
    DDX_Text(pDX, IDC_XG_DEGREE, m_nDegree);
    DDV_MinMaxInt(pDX, m_nDegree, 2, 20);
}

BOOL CTrendDlg::OnInitDialog() {
    m_nExtension = kq::chart::Clamped(m_nExtension, 0, kMaxExtension);
    m_nDegree = kq::chart::Clamped(m_nDegree, 2, 20);
    CDialog::OnInitDialog();
    m_ExtensionSpin.SetRange32(0, kMaxExtension);
    m_DegreeSpin.SetRange(2, 20);
    return TRUE;
}
