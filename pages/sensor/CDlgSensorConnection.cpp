#include "pages/sensor/CDlgSensorConnection.h"

#include "app/MainFrame.h"
#include "pages/sensor/PortRowTexts.h"
#include "platform/framework/MessageBox.h"
#include "sensor/Protocol.h"

IMPLEMENT_DYNAMIC(CDlgSensorConnection, CPageDialog)

void CDlgSensorConnection::UpdatePortList() {
    ++m_iPortListUpdates;
    if (CMainFrame* frame = GetMainFrame())
        frame->WaitCursorOff();
}

int CDlgSensorConnection::BaudrateCodeFromCellText(const CString& text) {
    const int code = BaudrateCodeFromText(text);
    if (code < 0) {
        CString message;
        message.Format("Fehler 321KLM4354\n\n%s", static_cast<const char*>(text));
        AfxMessageBox(message);
    }
    return code;
}

int CDlgSensorConnection::BaudrateFromCode(int code) {
    return tarvik::BaudrateFromCode(code);
}

int CDlgSensorConnection::BaudrateFromCellText(const CString& text) {
    const int code = BaudrateCodeFromCellText(text);
    return code < 0 ? -1 : tarvik::BaudrateFromCode(code);
}

void CDlgSensorConnection::StartRowProgress(int row) {
    if (row >= 0)
        m_rowProgress[row] = 0;
}

void CDlgSensorConnection::UpdateRowProgress(int row, int percent) {
    auto it = m_rowProgress.find(row);
    if (it != m_rowProgress.end())
        it->second = percent;
}

void CDlgSensorConnection::EndRowProgress() {
    m_rowProgress.clear();
}

int CDlgSensorConnection::RowProgress(int row) const {
    const auto it = m_rowProgress.find(row);
    return it != m_rowProgress.end() ? it->second : kNoProgress;
}
