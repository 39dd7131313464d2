// The presentation record of one cell of the report list, and the per-row array of them that hangs
// on the row's item data.
#pragma once

#include <vector>

#include "platform/base/Arrays.h"
#include "platform/base/CString.h"
#include "platform/gfx/WinGdi.h"

struct XListCellData {
    int bEnabled = 1;  // read from the row's first cell: 0 disables the whole row
    int bBold = 0;
    int bModified = 0;
    int nImage = -1;  // small image list index, -1 none
    CString strToolTip;
    int bCombo = 0;
    int bSort = 0;
    CStringArray* psa = nullptr;  // the combo's choices; the caller's array
    int nComboListHeight = 10;
    int nInitialComboSel = -1;  // applied on the first opening only
    int bEdit = 0;
    COLORREF crText = 0;
    COLORREF crBackground = 0;
    int bShowProgress = 0;
    int nProgressPercent = 0;
    CString strProgressText;  // caption pattern, empty for "p%"
    int bShowProgressMessage = 1;
    int nCheckedState = -1;  // -1 no box, 0 unchecked, 1 checked
    DWORD dwItemData = 0;
};

// One record per column the header had when the row was inserted.
struct XListRowData {
    std::vector<XListCellData> cells;
};
