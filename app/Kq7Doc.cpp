#include "app/Kq7Doc.h"

IMPLEMENT_DYNCREATE(CKq7Doc, CDocument)

BEGIN_MESSAGE_MAP(CKq7Doc, CDocument)
END_MESSAGE_MAP()

BOOL CKq7Doc::OnNewDocument() {
    return CDocument::OnNewDocument() ? TRUE : FALSE;
}
