// The automatic diagram save after a measurement: the documentation's diagram folder is made
// (an existing one will do), the diagram floated at the export size and, on
// CAFormDiagram::TIMER_AUTO_SAVE, its picture written under the documentation's automatic name.
// Then the run goes on: the panel's next trigger, or the close that waited for the save - posted
// exactly once, also when the folder could not be made.
#include "app/MainFrame.h"
#include "app/views/CAFormDiagram.h"
#include "foundation/Language.h"
#include "platform/base/FileSystem.h"
#include "platform/base/LastError.h"
#include "platform/framework/MessageBox.h"
#include "res/TextIds.h"

void CAFormDiagram::SaveDiagramToDocumentation() {
    m_bStarted = FALSE;
    if (m_pFrame == nullptr || m_pFrame->m_bClosing)
        return;
    IFlowDocumentation* documentation = m_pFrame->FlowDocumentation();
    const int mode = documentation != nullptr ? documentation->GetDiagramStorageMode() : 0;
    if (mode != 1 && mode != 2)
        return;
    const CString directory = documentation->GetDiagramTargetDirectory();
    if (!CreateDirectoryA(directory, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        m_pFrame->UpdateMeasuredValues(MeasuredValueReason::Retake);
        m_pFrame->ShowStatusMessage(IDS_STATUS_READY);
        m_pFrame->WaitCursorOff();
        AfxMessageBox(GetLanguageString(IDS_DIAGRAM_FOLDER_FAILED) + " '" + directory + "' " +
                          GetLanguageString(IDS_DIAGRAM_FOLDER_FAILED_END),
                      MB_ICONSTOP);
        m_pFrame->ShowStatusMessage(IDS_STATUS_READY);
        // A close waiting for this save must not wait for ever.
        if (m_pFrame->m_bCloseAfterStop || m_pFrame->m_bCloseAfterFastStop)
            m_pFrame->PostMessage(WM_CLOSE);
        return;
    }
    documentation->MakeAutoFileNames(1);
    m_pFrame->PrepareDiagramForExport(documentation->GetExportSizeMode());
    if (m_hWnd != nullptr)
        SetTimer(TIMER_AUTO_SAVE, 1, nullptr);
}

void CAFormDiagram::SaveAutomaticPicture() {
    if (m_pFrame == nullptr)
        return;
    IFlowDocumentation* documentation = m_pFrame->FlowDocumentation();
    const CString file =
        documentation != nullptr ? documentation->GetAutoDiagramFileName() : CString();
    const bool saved = m_pDiagram != nullptr && !file.IsEmpty() && m_pDiagram->SaveBitmap(file);
    m_pFrame->RestoreDiagramBarDocking();
    if (!m_pFrame->m_bMeasuring) {
        m_pFrame->UpdateMeasuredValues(MeasuredValueReason::Retake);
        // A picture that could not be written is no "ready".
        if (saved)
            m_pFrame->ShowStatusMessage(IDS_STATUS_READY);
    }
    m_pFrame->WaitCursorOff();
    if (!saved)
        AfxMessageBox(m_pFrame->BuildFileOpenErrorText(file), MB_ICONSTOP);
    ContinueAfterAutoSave();
}

void CAFormDiagram::ContinueAfterAutoSave() {
    if (m_pFrame->m_bCloseAfterStop || m_pFrame->m_bCloseAfterFastStop) {
        m_pFrame->PostMessage(WM_CLOSE);
        return;
    }
    if (IFlowMeasurePanel* panel = m_pFrame->FlowPanel())
        panel->TriggerEvent(0);
}
