#include "platform/framework/CommandLineInfo.h"

#include <strings.h>

#include <cstring>

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) {
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const char* pszParam) {
    // Shell switches are case-sensitive, the registration and embedding switches are not.
    if (std::strcmp(pszParam, "pt") == 0) {
        m_nShellCommand = FilePrintTo;
    } else if (std::strcmp(pszParam, "p") == 0) {
        m_nShellCommand = FilePrint;
    } else if (strcasecmp(pszParam, "Register") == 0 || strcasecmp(pszParam, "Regserver") == 0) {
        m_nShellCommand = AppRegister;
    } else if (strcasecmp(pszParam, "Unregister") == 0 ||
               strcasecmp(pszParam, "Unregserver") == 0) {
        m_nShellCommand = AppUnregister;
    } else if (std::strcmp(pszParam, "dde") == 0) {
        m_nShellCommand = FileDDE;
    } else if (strcasecmp(pszParam, "Embedding") == 0) {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    } else if (strcasecmp(pszParam, "Automation") == 0) {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    } else if (strcasecmp(pszParam, "RestartByRestartManager") == 0) {
        m_nShellCommand = RestartByRestartManager;
    }
}

void CCommandLineInfo::ParseParamNotFlag(const char* pszParam) {
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast) {
    if (!bLast)
        return;
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
    m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
}
