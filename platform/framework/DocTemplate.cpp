#include "platform/framework/DocTemplate.h"

#include "platform/base/Trace.h"
#include "platform/framework/CreateContext.h"
#include "platform/framework/Document.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/WinApp.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource),
      m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass) {}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate() {
    if (m_strDocStrings.IsEmpty() && !m_strDocStrings.LoadString(m_nIDResource))
        TRACE("Warning: no document names in string for template #%u.\n", m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const {
    return AfxExtractSubString(rString, m_strDocStrings, static_cast<int>(index));
}

void CDocTemplate::AddDocument(CDocument* pDoc) {
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc) {
    pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument() {
    if (m_pDocClass == nullptr)
        return nullptr;
    CObject* object = m_pDocClass->CreateObject();
    auto* document = DYNAMIC_DOWNCAST(CDocument, object);
    if (document == nullptr) {
        TRACE("Error: the template's document class does not make a CDocument.\n");
        delete object;
        return nullptr;
    }
    AddDocument(document);
    return document;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    if (m_pFrameClass == nullptr)
        return nullptr;
    CObject* object = m_pFrameClass->CreateObject();
    auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, object);
    if (frame == nullptr) {
        TRACE("Error: the template's frame class does not make a CFrameWnd.\n");
        delete object;
        return nullptr;
    }
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
        // The frame deleted itself when its creation failed.
        TRACE("Warning: the document template could not create a frame.\n");
        return nullptr;
    }
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
    for (POSITION pos = GetFirstDocPosition(); pos != nullptr;) {
        CDocument* doc = GetNextDoc(pos);
        if (!doc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
    for (POSITION pos = GetFirstDocPosition(); pos != nullptr;) {
        CDocument* doc = GetNextDoc(pos);
        doc->OnCloseDocument();
    }
}

void CDocTemplate::OnIdle() {
    for (POSITION pos = GetFirstDocPosition(); pos != nullptr;)
        GetNextDoc(pos)->OnIdle();
}

// --- CSingleDocTemplate ---

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                       CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}

CSingleDocTemplate::~CSingleDocTemplate() {
    if (m_pOnlyDoc != nullptr)
        m_pOnlyDoc->OnCloseDocument();
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const {
    return m_pOnlyDoc != nullptr ? reinterpret_cast<POSITION>(m_pOnlyDoc) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const {
    CDocument* doc = rPos == reinterpret_cast<POSITION>(m_pOnlyDoc) ? m_pOnlyDoc : nullptr;
    rPos = nullptr;
    return doc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc) {
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
    CDocument* document = nullptr;
    CFrameWnd* frame = nullptr;
    BOOL created = FALSE;
    if (m_pOnlyDoc != nullptr) {
        // The one document is used again.
        document = m_pOnlyDoc;
        if (!document->SaveModified())
            return nullptr;
        frame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    } else {
        document = CreateNewDocument();
        created = TRUE;
    }
    if (document == nullptr) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return nullptr;
    }
    if (frame == nullptr) {
        // Nothing may delete the document while its frame is being made.
        const BOOL autoDelete = document->m_bAutoDelete;
        document->m_bAutoDelete = FALSE;
        frame = CreateNewFrame(document, nullptr);
        document->m_bAutoDelete = autoDelete;
        if (frame == nullptr) {
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            if (created)
                delete document;
            return nullptr;
        }
    }
    if (lpszPathName == nullptr) {
        SetDefaultTitle(document);
        if (!bMakeVisible)
            document->m_bEmbedded = TRUE;
        if (!document->OnNewDocument()) {
            TRACE("CDocument::OnNewDocument returned FALSE.\n");
            if (created)
                frame->DestroyWindow();  // takes the document with it
            return nullptr;
        }
    } else {
        CWaitCursor wait;
        const BOOL wasModified = document->IsModified();
        document->SetModifiedFlag(FALSE);
        if (!document->OnOpenDocument(lpszPathName)) {
            TRACE("CDocument::OnOpenDocument returned FALSE.\n");
            if (created) {
                frame->DestroyWindow();
            } else if (!document->IsModified()) {
                document->SetModifiedFlag(wasModified);
            } else {
                // The failed load changed the document: start it afresh.
                SetDefaultTitle(document);
                document->OnNewDocument();
            }
            return nullptr;
        }
        document->SetPathName(lpszPathName);
    }
    CWinApp* app = AfxGetApp();
    if (created && app != nullptr && app->m_pMainWnd == nullptr)
        app->m_pMainWnd = frame;  // the initial update shows it
    InitialUpdateFrame(frame, document, bMakeVisible);
    return document;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument) {
    CString name;
    if (!GetDocString(name, docName) || name.IsEmpty())
        kq::fw::LoadFrameworkString(AFX_IDS_UNTITLED, name);
    pDocument->SetTitle(name);
}
