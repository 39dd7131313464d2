#include "foundation/PortText.h"

CString GetComNumberText(const CString& portDisplayText) {
    const int bracket = portDisplayText.ReverseFind('[');
    if (bracket < 0)
        return CString();
    const CString rest = portDisplayText.Mid(bracket + 1);
    if (rest.Left(3) != "COM")
        return CString();
    return rest.Mid(3).SpanIncluding("0123456789");
}

CString AdaptInterfaceName(const CString& typeText, int /*languageOffset*/,
                           bool onLantronixCprPort) {
    CString text(typeText);
    text.Replace("NX-USB", "NX-RS485");
    if (onLantronixCprPort)
        text.Replace("NX-RS485", "NX-ETH");
    return text;
}

CString AdaptModelNames(const CString& text) {
    // The USB variant of the bus interface is sold as the RS-485 interface.
    CString shown(text);
    shown.Replace("NX-USB", "NX-RS485");
    return shown;
}
