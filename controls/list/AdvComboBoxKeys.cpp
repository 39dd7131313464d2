// Keys and the wheel: Enter, Escape, F4 and Alt+Up/Down are taken before dispatch; arrows and
// page keys move the selection of the closed combo (notifying the owner) or of the open
// drop-down's list; the wheel steps once per full notch.
#include <algorithm>

#include "controls/list/CAdvComboBox.h"
#include "controls/list/CDropListBox.h"
#include "controls/list/CDropWnd.h"

namespace {

constexpr int kPageStep = 10;
constexpr int kWheelLines = 3;

}  // namespace

BOOL CAdvComboBox::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->hwnd != m_hWnd)
        return CWnd::PreTranslateMessage(pMsg);
    if (pMsg->message == WM_KEYDOWN) {
        m_bAutoAppend = 1;
        switch (pMsg->wParam) {
            case VK_BACK:
            case VK_DELETE:
                m_bAutoAppend = 0;
                break;
            case VK_RETURN:
                if (m_bDropListVisible && m_pDropWnd != nullptr) {
                    const int sel = m_pDropWnd->GetListBox()->GetCurSel();
                    if (sel != -1)
                        SendMessage(kChooseItem, static_cast<WPARAM>(sel));
                    SendMessage(kCloseDropDown);
                    return TRUE;
                }
                break;  // the character handler asks for the commit
            case VK_ESCAPE:
                if (m_bDropListVisible && m_pDropWnd != nullptr) {
                    CloseDropDown();
                    Invalidate();
                    return TRUE;
                }
                OnEscape();
                break;
            case VK_F4:
                SendMessage(kToggleDropDown);
                Invalidate();
                return TRUE;
            case VK_UP:
                SelPrevItem();
                return TRUE;
            case VK_DOWN:
                SelNextItem();
                return TRUE;
            case VK_PRIOR:
                PageUp();
                return TRUE;
            case VK_NEXT:
                PageDown();
                return TRUE;
            default:
                break;
        }
    } else if (pMsg->message == WM_SYSKEYDOWN &&
               (pMsg->wParam == VK_DOWN || pMsg->wParam == VK_UP)) {
        SendMessage(kToggleDropDown);
        Invalidate();
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CAdvComboBox::ApplyKeySelection(int nIndex) {
    const AdvComboItem* item = ItemAt(nIndex);
    if (item == nullptr)
        return;
    const int old = m_nCurSel;
    m_nCurSel = nIndex;
    m_strEdit = item->strText;
    Invalidate();
    if (old != nIndex) {
        Notify(CBN_SELENDOK);
        Notify(CBN_SELCHANGE);
    }
}

void CAdvComboBox::SelNextItem() {
    if (m_bDropListVisible && m_pDropWnd != nullptr) {
        CDropListBox* list = m_pDropWnd->GetListBox();
        const int sel = list->GetCurSel();
        if (sel < list->GetCount() - 1)
            list->SetCurSel(sel + 1);
        return;
    }
    for (int i = m_nCurSel + 1; i < GetCount(); ++i)
        if (!ItemAt(i)->bDisabled) {
            ApplyKeySelection(i);
            return;
        }
}

void CAdvComboBox::SelPrevItem() {
    if (m_bDropListVisible && m_pDropWnd != nullptr) {
        CDropListBox* list = m_pDropWnd->GetListBox();
        const int sel = list->GetCurSel();
        if (sel >= 1)
            list->SetCurSel(sel - 1);
        return;
    }
    for (int i = std::min(m_nCurSel, GetCount()) - 1; i >= 0; --i)
        if (!ItemAt(i)->bDisabled) {
            ApplyKeySelection(i);
            return;
        }
}

void CAdvComboBox::PageDown() {
    const int count = GetCount();
    if (count == 0)
        return;
    if (m_bDropListVisible && m_pDropWnd != nullptr) {
        CDropListBox* list = m_pDropWnd->GetListBox();
        const int sel = list->GetCurSel();
        const int top = list->GetTopIndex();
        const int visible = list->GetVisibleLines();
        int target = 0;
        if (sel == count - 1) {
            target = sel;
        } else if (sel != -1) {
            target = top + visible - 1;
            if (sel >= target)
                target = top + 2 * visible - 2;
        }
        const int chosen = list->SetCurSel(std::clamp(target, 0, count - 1));
        if (const AdvComboItem* item = ItemAt(chosen))
            SetWindowText(item->strText);
        return;
    }
    const int from = m_nCurSel < 0 || m_nCurSel >= count ? 0 : m_nCurSel;
    ApplyKeySelection(std::min(from + kPageStep, count - 1));
}

void CAdvComboBox::PageUp() {
    const int count = GetCount();
    if (count == 0)
        return;
    if (m_bDropListVisible && m_pDropWnd != nullptr) {
        CDropListBox* list = m_pDropWnd->GetListBox();
        const int sel = list->GetCurSel();
        if (sel < 1)
            return;
        const int top = list->GetTopIndex();
        const int target = sel == top ? std::max(top - list->GetVisibleLines() + 1, 0) : top;
        const int chosen = list->SetCurSel(target);
        if (const AdvComboItem* item = ItemAt(chosen))
            SetWindowText(item->strText);
        return;
    }
    const int from = m_nCurSel < 0 || m_nCurSel >= count ? 0 : m_nCurSel;
    ApplyKeySelection(std::max(from - kPageStep, 0));
}

BOOL CAdvComboBox::OnMouseWheel(UINT, short zDelta, CPoint) {
    m_zDelta += zDelta;
    if (m_zDelta < WHEEL_DELTA && m_zDelta > -WHEEL_DELTA)
        return TRUE;
    const bool up = m_zDelta > 0;
    m_zDelta = 0;
    if (m_bDropListVisible && m_pDropWnd != nullptr) {
        CDropListBox* list = m_pDropWnd->GetListBox();
        const int top = list->GetTopIndex();
        list->SetTopIdx(
            up ? std::max(top - kWheelLines, 0) : std::min(top + kWheelLines, list->GetCount()),
            TRUE);
    } else if (up) {
        SelPrevItem();
    } else {
        SelNextItem();
    }
    return TRUE;
}

void CAdvComboBox::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_ESCAPE)
        OnEscape();
    else if (nChar == VK_RETURN)
        OnComplete();
    else
        CWnd::OnChar(nChar, nRepCnt, nFlags);
}

void CAdvComboBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    switch (nChar) {
        case VK_DOWN:
            SelNextItem();
            break;
        case VK_UP:
            SelPrevItem();
            break;
        case VK_NEXT:
            PageDown();
            break;
        case VK_PRIOR:
            PageUp();
            break;
        default:
            break;
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}
