// What the diagnostic page's byte pane shows after a raw request: the request and reply frames
// as bytes, then what the reply says (the long status field by field, an acknowledge, a refusal
// with its reason), or that no answer came. Texts in the current language; lines end in "\r\n".
#pragma once

#include "platform/base/CString.h"

CString DescribeDiagnosticExchange(const CString& request, const CString& reply, BOOL answered);
