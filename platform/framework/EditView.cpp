#include "platform/framework/EditView.h"

#include "platform/framework/Document.h"
#include "platform/framework/Print.h"
#include "platform/gfx/CDC.h"

IMPLEMENT_DYNCREATE(CEditView, CView)

BEGIN_MESSAGE_MAP(CEditView, CView)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_CONTROL_REFLECT_EX(EN_CHANGE, &CEditView::OnEditChange)
END_MESSAGE_MAP()

const DWORD CEditView::dwStyleDefault = AFX_WS_DEFAULT_VIEW | WS_HSCROLL | ES_AUTOHSCROLL |
                                        WS_VSCROLL | ES_AUTOVSCROLL | ES_MULTILINE | ES_NOHIDESEL;

CEditView::CEditView() = default;

CEditView::~CEditView() {
    m_edit.m_hWnd = nullptr;
}

CEdit& CEditView::GetEditCtrl() const {
    m_edit.m_hWnd = m_hWnd;
    return m_edit;
}

UINT CEditView::GetBufferLength() const {
    return static_cast<UINT>(::GetWindowTextLength(m_hWnd));
}

BOOL CEditView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.lpszClass = "EDIT";
    cs.style |= static_cast<LONG>(dwStyleDefault);
    return CView::PreCreateWindow(cs);
}

int CEditView::OnCreate(LPCREATESTRUCT lpcs) {
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    m_edit.m_hWnd = m_hWnd;
    return 0;
}

void CEditView::OnDestroy() {
    CView::OnDestroy();
    m_edit.m_hWnd = nullptr;
}

void CEditView::OnPaint() {
    // The control paints itself.
    Default();
}

void CEditView::OnDraw(CDC*) {}

BOOL CEditView::OnEditChange() {
    if (CDocument* doc = GetDocument())
        doc->SetModifiedFlag();
    return FALSE;  // the parent hears of it too
}

BOOL CEditView::OnPreparePrinting(CPrintInfo* pInfo) {
    return DoPreparePrinting(pInfo);
}

void CEditView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    const int lineHeight = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
    m_nLinesPerPage = std::max(1, pDC->GetDeviceCaps(VERTRES) / lineHeight);
    const int lines = std::max(1, static_cast<int>(SendMessage(EM_GETLINECOUNT)));
    pInfo->SetMaxPage(static_cast<UINT>((lines + m_nLinesPerPage - 1) / m_nLinesPerPage));
}

void CEditView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    const int lineHeight = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
    const int lines = static_cast<int>(SendMessage(EM_GETLINECOUNT));
    const int first = static_cast<int>(pInfo->m_nCurPage - 1) * m_nLinesPerPage;
    for (int i = 0; i < m_nLinesPerPage && first + i < lines; ++i) {
        char buffer[1024];
        // EM_GETLINE: the buffer's size in its first word.
        *reinterpret_cast<WORD*>(buffer) = static_cast<WORD>(sizeof buffer - 1);
        const auto length = static_cast<int>(SendMessage(EM_GETLINE, static_cast<WPARAM>(first + i),
                                                         reinterpret_cast<LPARAM>(buffer)));
        pDC->TextOut(pInfo->m_rectDraw.left, pInfo->m_rectDraw.top + i * lineHeight,
                     CString(buffer, length));
    }
}

void CEditView::OnEndPrinting(CDC*, CPrintInfo*) {
    m_nLinesPerPage = 0;
}
