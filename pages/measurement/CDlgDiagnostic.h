// The diagnostic page (template 139): raw protocol requests and the detection of multi-port
// devices.
#pragma once

#include "app/PageDialog.h"

class CDlgDiagnostic : public CPageDialog {
    DECLARE_DYNAMIC(CDlgDiagnostic)
  public:
    enum { IDD = 139 };
    CDlgDiagnostic() = default;

    // Collects the ports of the multi-port types and arms main-frame timer 14.
    void StartMultiportDetection();
    BOOL HasMultiportResult() const { return m_iResultCount > 0; }
    int GetMultiportResultCount() const { return m_iResultCount; }
    BOOL IsPortInMultiportGroup(const CString& port) const {
        for (INT_PTR i = 0; i < m_astrGroupPorts.GetSize(); ++i) {
            if (m_astrGroupPorts[i] == port)
                return TRUE;
        }
        return FALSE;
    }

    int m_iResultCount = 0;
    CStringArray m_astrGroupPorts;
};
