#include "platform/framework/Document.h"

#include <cstdio>

#include "platform/base/File.h"
#include "platform/base/Trace.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/View.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/WinApp.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_CLOSE, &CDocument::OnFileClose)
ON_COMMAND(ID_FILE_SAVE, &CDocument::OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument() = default;

CDocument::~CDocument() {
    DisconnectViews();
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::DisconnectViews() {
    while (!m_viewList.IsEmpty()) {
        auto* view = static_cast<CView*>(m_viewList.RemoveHead());
        view->m_pDocument = nullptr;
    }
}

void CDocument::SetTitle(LPCTSTR lpszTitle) {
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU) {
    m_strPathName = lpszPathName;
    const int slash = m_strPathName.ReverseFind('/');
    SetTitle(slash >= 0 ? m_strPathName.Mid(slash + 1) : m_strPathName);
    if (bAddToMRU) {
        if (CWinApp* app = AfxGetApp())
            app->AddToRecentFileList(m_strPathName);
    }
}

BOOL CDocument::IsModified() {
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL bModified) {
    m_bModified = bModified;
}

POSITION CDocument::GetFirstViewPosition() const {
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const {
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::AddView(CView* pView) {
    if (pView->m_pDocument == this)
        return;
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
    POSITION pos = m_viewList.Find(pView);
    if (pos == nullptr)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
    for (POSITION pos = GetFirstViewPosition(); pos != nullptr;) {
        CView* view = GetNextView(pos);
        if (view != pSender)
            view->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::OnChangedViewList() {
    // A document without views has no use any more.
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts() {
    // Number the frames when the document shows in more than one.
    CPtrList frames;
    for (POSITION pos = GetFirstViewPosition(); pos != nullptr;) {
        CView* view = GetNextView(pos);
        CFrameWnd* frame = view->GetParentFrame();
        // Only frames that show the document's name in their title are numbered.
        if (frame != nullptr && (frame->GetStyle() & FWS_ADDTOTITLE) && view->IsWindowVisible() &&
            frames.Find(frame) == nullptr)
            frames.AddTail(frame);
    }
    const int count = static_cast<int>(frames.GetCount());
    int number = 1;
    for (POSITION pos = frames.GetHeadPosition(); pos != nullptr;) {
        auto* frame = static_cast<CFrameWnd*>(frames.GetNext(pos));
        frame->m_nWindow = count > 1 ? number++ : 0;
        frame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName) {
    CFile file;
    CFileException fe;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag();  // dirty while loading
    try {
        CWaitCursor wait;
        CArchive archive(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        archive.m_pDocument = this;
        if (file.GetLength() != 0)
            Serialize(archive);
        archive.Close();
        file.Close();
    } catch (CException* e) {
        file.Abort();
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName) {
    const CString temporary = CString(lpszPathName) + ".saving";
    CFile file;
    CFileException fe;
    if (!file.Open(temporary, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    try {
        CWaitCursor wait;
        CArchive archive(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        archive.m_pDocument = this;
        Serialize(archive);
        archive.Close();
        file.Close();
    } catch (CException* e) {
        file.Abort();
        std::remove(temporary);
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    // The old file stays until the new one is complete.
    if (std::rename(temporary, lpszPathName) != 0) {
        std::remove(temporary);
        CFileException renameError(CFileException::accessDenied, errno, lpszPathName);
        ReportSaveLoadException(lpszPathName, &renameError, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument() {
    // Keep the document alive while its frames go.
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        auto* view = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* frame = view->GetParentFrame();
        if (frame == nullptr) {
            // A view without a frame: just let go of it.
            RemoveView(view);
            continue;
        }
        PreCloseFrame(frame);
        frame->DestroyWindow();
        if (m_viewList.Find(view) != nullptr)
            RemoveView(view);  // the frame did not take the view with it
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL,
                                        UINT nIDPDefault) {
    if (e != nullptr && e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return;  // already reported
    CString prompt;
    char message[512] = {};
    if (e != nullptr && e->GetErrorMessage(message, sizeof message))
        prompt = message;
    if (prompt.IsEmpty())
        kq::fw::LoadFrameworkString(nIDPDefault, prompt);
    if (lpszPathName != nullptr && *lpszPathName != '\0' && prompt.Find(lpszPathName) < 0)
        prompt = CString(lpszPathName) + "\n" + prompt;
    AfxMessageBox(prompt, MB_ICONEXCLAMATION, nIDPDefault);
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame) {
    // The last frame of a document may close only when the document may.
    for (POSITION pos = GetFirstViewPosition(); pos != nullptr;) {
        CFrameWnd* frame = GetNextView(pos)->GetParentFrame();
        if (frame != nullptr && frame != pFrame)
            return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::SaveModified() {
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    if (name.IsEmpty())
        kq::fw::LoadFrameworkString(AFX_IDS_UNTITLED, name);
    CString prompt;
    AfxFormatString1(prompt, AFX_IDP_ASK_TO_SAVE, name);
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION, AFX_IDP_ASK_TO_SAVE)) {
        case IDCANCEL:
            return FALSE;
        case IDYES:
            return DoFileSave();
        case IDNO:
            return TRUE;
        default:
            // An answer that is none of the three keeps the document open and unsaved.
            return FALSE;
    }
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace) {
    CString path = lpszPathName != nullptr ? lpszPathName : "";
    if (path.IsEmpty()) {
        // Choosing a file needs the save dialog, which this program does not offer.
        TRACE("Warning: no file name to save the document to.\n");
        return FALSE;
    }
    if (!OnSaveDocument(path))
        return FALSE;
    if (bReplace)
        SetPathName(path);
    return TRUE;
}

BOOL CDocument::DoFileSave() {
    return DoSave(m_strPathName.IsEmpty() ? nullptr : m_strPathName.GetString());
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose() {
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave() {
    DoFileSave();
}

void CDocument::OnFileSaveAs() {
    DoSave(nullptr);
}
