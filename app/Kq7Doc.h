// The document of the single-document shell: it holds no data and opens no files.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/commctrl/TreeCtrl.h"

class CKq7Doc : public CDocument {
    DECLARE_DYNCREATE(CKq7Doc)
  public:
    BOOL OnNewDocument() override;

    CTreeCtrl m_treeCtrl;  // never created as a window

    DECLARE_MESSAGE_MAP()
};
