// CDocManager: the application's list of document templates and what it does across them.
#pragma once

#include "platform/base/Lists.h"
#include "platform/base/Object.h"

class CDocTemplate;
class CDocument;

class CDocManager : public CObject {
    DECLARE_DYNAMIC(CDocManager)
  public:
    CDocManager() = default;
    // Deletes the templates that delete automatically.
    ~CDocManager() override;

    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    // An open document of that path, else the file opened through the first template.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual int GetOpenDocumentCount();
    // A new document of the first template.
    virtual void OnFileNew();
    virtual void OnFileOpen();
    virtual void OnIdle();

  protected:
    CPtrList m_templateList;
};
