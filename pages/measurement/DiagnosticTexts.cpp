#include "pages/measurement/DiagnosticTexts.h"

#include "foundation/Environment.h"
#include "foundation/Language.h"
#include "protocol/FrameCutter.h"
#include "protocol/Messages.h"
#include "protocol/Protocol.h"
#include "res/resource.h"

using namespace tarvik;

namespace {

constexpr char kLineEnd[] = "\r\n";

CString Line(int textId, const CString& value) {
    return GetLanguageString(textId) + ": " + value + kLineEnd;
}

CString Number(unsigned long value) {
    CString text;
    text.Format("%lu", value);
    return text;
}

CString Hex(unsigned long value, int digits) {
    CString text;
    text.Format(digits <= 2 ? "0x%02lX" : "0x%04lX", value);
    return text;
}

CString DescribeStatusLong(const StatusLongReply& s) {
    // In the order of the field labels.
    const unsigned long fields[] = {
        s.usedCalib,   s.deviceKind, s.statorId,   s.statorRevision, s.digitalInputKind,
        s.encoderMask, s.control,    s.streaming,  s.role,           s.rateIndex,
        s.lowPassCode, s.baudCode,   s.sensorIndex};
    CString text = Line(IDS_DIAG_SERIAL, Number(s.serialNumber));
    int label = IDS_DIAG_FIELD_FIRST;
    for (unsigned long value : fields)
        text += Line(label++, Number(value));
    text += Line(label++, Hex(s.blockValidMask, 2) + " / " + Hex(s.errorFlags, 4));
    text += Line(label, Hex(s.firmwareVersion, 4));
    return text;
}

}  // namespace

CString DescribeDiagnosticExchange(const CString& request, const CString& reply, BOOL answered) {
    CString text = GetLanguageString(IDS_DIAG_REQUEST) + ": " +
                   CEnvironment::DumpBytes(request, 0, false) + kLineEnd;
    if (!answered) {
        return text + GetLanguageString(IDS_DIAG_REPLY) + ": " +
               GetLanguageString(IDS_DIAG_NO_ANSWER) + kLineEnd;
    }
    text += GetLanguageString(IDS_DIAG_REPLY) + ": " + CEnvironment::DumpBytes(reply, 0, false) +
            kLineEnd;
    CString bytes = reply;
    FrameCutter cutter;
    Frame frame;
    if (!cutter.CutFrame(bytes, frame))
        return text;
    StatusLongReply status;
    NakReply nak;
    if (frame.code == kReplyStatusLong && ParseMessage(frame, status)) {
        text += DescribeStatusLong(status);
    } else if (frame.code == kReplyNak && ParseMessage(frame, nak)) {
        CString refused;
        refused.Format(GetLanguageString(IDS_DIAG_REFUSED), static_cast<int>(nak.reason));
        text += refused + kLineEnd;
    } else if (frame.code == kReplyAck) {
        text += CString("ACK") + kLineEnd;
    }
    return text;
}
