// The documentation page as the user sees it: three storage rows (folder, prefix, mode), the
// layout of the exported text and the header's free texts. Every change goes at once into the
// record and the texts; a folder or prefix is filtered where it is typed, under a lock flag, so
// that the rewrite's own change notice is ignored.
#include "pages/measurement/CDlgDocumentation.h"

#include <iterator>

#include "foundation/Language.h"
#include "pages/common/PageHost.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/measurement/PathFieldFilter.h"
#include "platform/framework/MessageBox.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CDlgDocumentation, CSettingsPage)

namespace {

// Browse style: icon button, flat, explorer glyph, editable, folders only.
constexpr DWORD kFolderBrowseStyle = 230;
const UINT kBrowseIds[3] = {IDC_DOC_MW_DIR, IDC_DOC_IONIO_DIR, IDC_DOC_DM_DIR};
const UINT kPrefixIds[3] = {IDC_DOC_MW_PREFIX, IDC_DOC_IONIO_PREFIX, IDC_DOC_DM_PREFIX};
const UINT kFirstModeIds[3] = {IDC_DOC_MW_MODE0, IDC_DOC_IONIO_MODE0, IDC_DOC_DM_MODE0};
const UINT kFreeTextIds[3] = {IDC_DOC_HEADLINE, IDC_DOC_ADDRESS, IDC_DOC_COMMENT};

const PageLabel kLabels[] = {
    {IDC_DOC_DIRECTORY_LABEL, IDS_DOC_DIRECTORY}, {IDC_DOC_PREFIX_LABEL, IDS_DOC_PREFIX},
    {IDC_DOC_MW_LABEL, IDS_DOC_MEASURED_VALUES},  {IDC_DOC_IONIO_LABEL, IDS_DOC_RESULTS},
    {IDC_DOC_DM_LABEL, IDS_DOC_DIAGRAMS},         {IDC_DOC_SHOW_UNITS, IDS_DOC_SHOW_UNITS},
    {IDC_DOC_SEPARATOR_LABEL, IDS_DOC_SEPARATOR}, {IDC_DOC_LINE_END_LABEL, IDS_DOC_LINE_END},
    {IDC_DOC_DECIMAL_LABEL, IDS_DOC_DECIMAL},     {IDC_DOC_EXPORT_SIZE_LABEL, IDS_DOC_EXPORT_SIZE},
    {IDC_DOC_HEADLINE_LABEL, IDS_DOC_HEADLINE},   {IDC_DOC_ADDRESS_LABEL, IDS_DOC_ADDRESS},
    {IDC_DOC_COMMENT_LABEL, IDS_DOC_COMMENT},
};

// A text of the table, telling whether it was there.
CString PageText(int id, BOOL& all) {
    CString text;
    if (!FindLanguageString(id, text))
        all = FALSE;
    return text;
}

// The combos are reached by message: the page keeps no control objects of its own for them.
void FillCombo(CWnd* page, int id, const std::vector<CString>& items, int selection) {
    page->SendDlgItemMessage(id, CB_RESETCONTENT);
    for (const CString& item : items)
        page->SendDlgItemMessage(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.GetString()));
    page->SendDlgItemMessage(id, CB_SETCURSEL, static_cast<WPARAM>(selection));
}

void SelectCombo(CWnd* page, int id, int selection) {
    page->SendDlgItemMessage(id, CB_SETCURSEL, static_cast<WPARAM>(selection));
}

int ComboSelection(const CWnd* page, int id) {
    return static_cast<int>(page->SendDlgItemMessage(id, CB_GETCURSEL));
}

// Filters a field's whole text and, when something went, rewrites it with the caret where the
// user left it (less what was removed before it) and tells why with the message.
bool FilterField(CWnd* edit, CString& text, bool (*filter)(CString&), int message) {
    CString before = text;
    if (!filter(text))
        return false;
    DWORD start = 0;
    DWORD end = 0;
    edit->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    CString head = before.Left(static_cast<int>(end));
    filter(head);
    edit->SetWindowText(text);
    edit->SendMessage(EM_SETSEL, static_cast<WPARAM>(head.GetLength()), head.GetLength());
    AfxMessageBox(GetLanguageString(message), MB_ICONEXCLAMATION);
    return true;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDlgDocumentation, CSettingsPage)
ON_CONTROL_RANGE(BN_CLICKED, IDC_DOC_MW_MODE0, IDC_DOC_DM_MODE2, &CDlgDocumentation::OnStorageMode)
ON_BN_CLICKED(IDC_DOC_SHOW_UNITS, &CDlgDocumentation::OnShowUnits)
ON_CBN_SELCHANGE(IDC_DOC_SEPARATOR, &CDlgDocumentation::OnColumnSeparator)
ON_CBN_SELCHANGE(IDC_DOC_LINE_END, &CDlgDocumentation::OnLineEnd)
ON_CBN_SELCHANGE(IDC_DOC_DECIMAL, &CDlgDocumentation::OnDecimalSeparator)
ON_CBN_SELCHANGE(IDC_DOC_EXPORT_SIZE, &CDlgDocumentation::OnExportSize)
ON_CONTROL_RANGE(EN_CHANGE, IDC_DOC_MW_PREFIX, IDC_DOC_DM_PREFIX,
                 &CDlgDocumentation::OnPrefixChanged)
ON_CONTROL_RANGE(EN_CHANGE, IDC_DOC_HEADLINE, IDC_DOC_COMMENT,
                 &CDlgDocumentation::OnFreeTextChanged)
END_MESSAGE_MAP()

BOOL CDlgDocumentation::OnInitDialog() {
    CSettingsPage::OnInitDialog();
    // Each browse control takes the place its template reserves and hands its path to the page.
    for (int i = 0; i < 3; ++i)
        PlaceBrowseControl(m_browse[i], kBrowseIds[i], kFolderBrowseStyle, kBrowseIds[i]);
    LoadSettings(AfxGetApp());
    SetLanguageTexts();
    return TRUE;
}

BOOL CDlgDocumentation::SetLanguageTexts() {
    BOOL all = SetLabelTexts(kLabels, std::size(kLabels));
    const CString modes[3] = {PageText(IDS_DOC_MODE_NONE, all), PageText(IDS_DOC_MODE_INDEXED, all),
                              PageText(IDS_DOC_MODE_CONSTANT, all)};
    const std::vector<CString> separators = {PageText(IDS_DOC_TAB, all), ";", ",", ".",
                                             PageText(IDS_DOC_BLANK, all)};
    std::vector<CString> sizes;
    for (int id = IDS_DOC_SIZE_SCREEN; id <= IDS_DOC_SIZE_PRINT; ++id)
        sizes.push_back(PageText(id, all));
    if (m_hWnd == nullptr)
        return all;
    for (UINT first : kFirstModeIds) {
        for (int m = 0; m < 3; ++m)
            SetDlgItemText(static_cast<int>(first) + m, modes[m]);
    }
    FillCombo(this, IDC_DOC_SEPARATOR, separators, 0);
    FillCombo(this, IDC_DOC_LINE_END, {"CR LF", "LF CR", "CR", "LF"}, 0);
    FillCombo(this, IDC_DOC_DECIMAL, {".", ","}, 0);
    FillCombo(this, IDC_DOC_EXPORT_SIZE, sizes, 0);
    ShowValues();
    return all;
}

void CDlgDocumentation::ShowValues() {
    if (m_hWnd == nullptr)
        return;
    const DocumentationRecord& r = m_sDocumentation;
    const int32_t modes[3] = {r.measuredValueMode, r.resultMode, r.diagramMode};
    for (int i = 0; i < 3; ++i) {
        CheckRadioButton(static_cast<int>(kFirstModeIds[i]), static_cast<int>(kFirstModeIds[i]) + 2,
                         static_cast<int>(kFirstModeIds[i]) + modes[i]);
        // The field being typed in keeps its text: a rewrite would move the caret.
        if (m_browse[i].m_hWnd != nullptr && !m_abDirectoryLock[i] &&
            m_browse[i].GetPathName() != m_strTexts[2 * i]) {
            m_abDirectoryLock[i] = TRUE;
            m_browse[i].SetPathName(m_strTexts[2 * i]);
            m_abDirectoryLock[i] = FALSE;
        }
    }
    m_bPrefixLock = TRUE;
    for (int i = 0; i < 3; ++i)
        SetDlgItemText(static_cast<int>(kPrefixIds[i]), m_strTexts[2 * i + 1]);
    for (int i = 0; i < 3; ++i)
        SetDlgItemText(static_cast<int>(kFreeTextIds[i]), m_strTexts[kHeadline + i]);
    m_bPrefixLock = FALSE;
    CheckDlgButton(IDC_DOC_SHOW_UNITS, r.showUnits != 0 ? BST_CHECKED : BST_UNCHECKED);
    SelectCombo(this, IDC_DOC_SEPARATOR, r.columnSeparator);
    SelectCombo(this, IDC_DOC_LINE_END, r.lineEnd);
    SelectCombo(this, IDC_DOC_DECIMAL, r.decimalSeparator == '.' ? 0 : 1);
    SelectCombo(this, IDC_DOC_EXPORT_SIZE, r.exportSize);
}

void CDlgDocumentation::OnStorageMode(UINT id) {
    const int row = static_cast<int>(id - IDC_DOC_MW_MODE0) / 3;
    const int mode = static_cast<int>(id - IDC_DOC_MW_MODE0) % 3;
    int32_t* modes[3] = {&m_sDocumentation.measuredValueMode, &m_sDocumentation.resultMode,
                         &m_sDocumentation.diagramMode};
    *modes[row] = mode;
    if (row == 0)
        m_sDocumentation.storageSelection = mode;
}

void CDlgDocumentation::OnShowUnits() {
    m_sDocumentation.showUnits = IsDlgButtonChecked(IDC_DOC_SHOW_UNITS) == BST_CHECKED ? 1 : 0;
}

void CDlgDocumentation::OnColumnSeparator() {
    DocumentationRecord chosen = m_sDocumentation;
    chosen.columnSeparator = ComboSelection(this, IDC_DOC_SEPARATOR);
    TakeSeparatorChoice(chosen, chosen.columnSeparator >= 0);
}

// A separator pair that would make the numbers unreadable is refused and the combo put back.
void CDlgDocumentation::TakeSeparatorChoice(const DocumentationRecord& chosen, bool chose) {
    if (chose && !chosen.SeparatorsClash()) {
        m_sDocumentation = chosen;
        return;
    }
    if (chose)
        AfxMessageBox(GetLanguageString(IDS_DOC_SEPARATOR_CLASH), MB_ICONEXCLAMATION);
    ShowValues();
}

void CDlgDocumentation::OnLineEnd() {
    const int choice = ComboSelection(this, IDC_DOC_LINE_END);
    if (choice >= 0)
        m_sDocumentation.lineEnd = choice;
}

void CDlgDocumentation::OnDecimalSeparator() {
    DocumentationRecord chosen = m_sDocumentation;
    const int choice = ComboSelection(this, IDC_DOC_DECIMAL);
    chosen.decimalSeparator = choice == 0 ? '.' : ',';
    TakeSeparatorChoice(chosen, choice >= 0);
}

void CDlgDocumentation::OnExportSize() {
    const int choice = ComboSelection(this, IDC_DOC_EXPORT_SIZE);
    if (choice >= 0)
        m_sDocumentation.exportSize = choice;
}

void CDlgDocumentation::OnPrefixChanged(UINT id) {
    if (m_bPrefixLock)
        return;
    const int row = static_cast<int>(id - IDC_DOC_MW_PREFIX);
    CString text;
    CWnd* edit = GetDlgItem(static_cast<int>(id));
    if (edit == nullptr)
        return;
    edit->GetWindowText(text);
    m_bPrefixLock = TRUE;
    FilterField(edit, text, FilterPrefixText, IDS_PATH_CHARACTER_REFUSED);
    m_bPrefixLock = FALSE;
    m_strTexts[2 * row + 1] = text;
}

void CDlgDocumentation::OnFreeTextChanged(UINT id) {
    CWnd* edit = GetDlgItem(static_cast<int>(id));
    if (m_bPrefixLock || edit == nullptr)
        return;
    CString text;
    edit->GetWindowText(text);
    m_bPrefixLock = TRUE;
    FilterField(edit, text, FilterFileText, IDS_FILE_CHARACTER_REFUSED);
    m_bPrefixLock = FALSE;
    m_strTexts[kHeadline + (id - IDC_DOC_HEADLINE)] = text;
}

void CDlgDocumentation::TakeDirectory(CWnd* edit, int text, BOOL& lock) {
    if (lock || edit == nullptr)
        return;
    CString path;
    edit->GetWindowText(path);
    lock = TRUE;
    FilterField(edit, path, FilterDirectoryText, IDS_PATH_CHARACTER_REFUSED);
    lock = FALSE;
    m_strTexts[text] = path;
}

void CDlgDocumentation::OnBrowseMWTargetDirectory(CWnd* edit) {
    TakeDirectory(edit, kMWTargetDirectory, m_abDirectoryLock[0]);
}

void CDlgDocumentation::OnBrowseIONIOTargetDirectory(CWnd* edit) {
    TakeDirectory(edit, kIONIOTargetDirectory, m_abDirectoryLock[1]);
}

void CDlgDocumentation::OnBrowseDMTargetDirectory(CWnd* edit) {
    TakeDirectory(edit, kDMTargetDirectory, m_abDirectoryLock[2]);
}
