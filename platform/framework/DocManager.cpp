#include "platform/framework/DocManager.h"

#include "platform/base/Trace.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/Document.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/View.h"

IMPLEMENT_DYNAMIC(CDocManager, CObject)

CDocManager::~CDocManager() {
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != nullptr;) {
        auto* docTemplate = static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
        if (docTemplate->m_bAutoDelete)
            delete docTemplate;
    }
    m_templateList.RemoveAll();
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate) {
    if (pTemplate == nullptr || m_templateList.Find(pTemplate) != nullptr)
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const {
    return m_templateList.GetHeadPosition();
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const {
    return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName) {
    if (m_templateList.IsEmpty())
        return nullptr;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;) {
        CDocTemplate* docTemplate = GetNextDocTemplate(pos);
        for (POSITION docPos = docTemplate->GetFirstDocPosition(); docPos != nullptr;) {
            CDocument* doc = docTemplate->GetNextDoc(docPos);
            if (lpszFileName != nullptr && doc->GetPathName() == lpszFileName) {
                // Already open: its frame comes to the front.
                POSITION viewPos = doc->GetFirstViewPosition();
                if (viewPos != nullptr) {
                    if (CFrameWnd* frame = doc->GetNextView(viewPos)->GetParentFrame())
                        frame->ActivateFrame();
                }
                return doc;
            }
        }
    }
    return static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(lpszFileName);
}

BOOL CDocManager::SaveAllModified() {
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;) {
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession) {
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

int CDocManager::GetOpenDocumentCount() {
    int count = 0;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;) {
        CDocTemplate* docTemplate = GetNextDocTemplate(pos);
        for (POSITION docPos = docTemplate->GetFirstDocPosition(); docPos != nullptr;) {
            docTemplate->GetNextDoc(docPos);
            ++count;
        }
    }
    return count;
}

void CDocManager::OnFileNew() {
    if (m_templateList.IsEmpty()) {
        TRACE("Error: no document templates registered with the application.\n");
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen() {
    TRACE("Warning: the file-open dialog is not available.\n");
}

void CDocManager::OnIdle() {
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;)
        GetNextDocTemplate(pos)->OnIdle();
}
