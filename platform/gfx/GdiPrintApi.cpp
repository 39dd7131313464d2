// Document and page calls of printer DCs.
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/WinGdi.h"

using kq::gfx::LookupDc;
using kq::gfx::PrintJobSink;

namespace {

PrintJobSink* Sink(HDC hdc) {
    auto dc = LookupDc(hdc);
    return dc ? dc->PrintSink() : nullptr;
}

}  // namespace

int StartDoc(HDC hdc, const DOCINFO* info) {
    PrintJobSink* sink = Sink(hdc);
    if (!sink || !info)
        return SP_ERROR;
    return sink->StartDoc(*info);
}

int EndDoc(HDC hdc) {
    PrintJobSink* sink = Sink(hdc);
    return sink ? sink->EndDoc() : SP_ERROR;
}

int StartPage(HDC hdc) {
    PrintJobSink* sink = Sink(hdc);
    return sink ? sink->StartPage() : SP_ERROR;
}

int EndPage(HDC hdc) {
    PrintJobSink* sink = Sink(hdc);
    return sink ? sink->EndPage() : SP_ERROR;
}

int AbortDoc(HDC hdc) {
    PrintJobSink* sink = Sink(hdc);
    return sink ? sink->AbortDoc() : SP_ERROR;
}

int Escape(HDC hdc, int code, int inSize, LPCSTR in, LPVOID out) {
    PrintJobSink* sink = Sink(hdc);
    return sink ? sink->Escape(code, inSize, in, out) : 0;
}
