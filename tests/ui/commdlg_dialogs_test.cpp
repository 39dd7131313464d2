// The common dialogs as the user meets them: shown modally, worked with keyboard and mouse, and
// answered through the hook. Prompts go to message boxes, which the message box hook answers.
#include <filesystem>

#include "platform/gfx/WinGdi.h"
#include "ui/commdlg_fixture.h"

namespace kq::ui::test {
namespace {

TEST_F(CommonDialogs, FileDialogListsTheChosenTypeAndOpensByKeyboard) {
    Names files, folders;
    WhenDialogShows script([&](HWND dialog) {
        folders = ListItems(GetDlgItem(dialog, lst2));
        files = ListItems(GetDlgItem(dialog, lst1));
        EXPECT_EQ(Text(dialog), "Open");
        InjectText("run2");
        InjectKey(VK_RETURN, true);
        InjectKey(VK_RETURN, false);
    });
    ofn_.Flags |= OFN_FILEMUSTEXIST;
    ofn_.lpstrDefExt = "csv";
    ASSERT_TRUE(GetOpenFileName(&ofn_));
    EXPECT_TRUE(script.Ran());
    EXPECT_EQ(folders, (Names{"..", "Messungen"}));
    EXPECT_EQ(files, (Names{"run1.csv", "run2.csv"}));
    EXPECT_EQ(std::string(file_), dir_ / "run2.csv");
    EXPECT_FALSE(IsWindowEnabled(owner_) == FALSE);
}

TEST_F(CommonDialogs, FileTypeChangesTheListAndADoubleClickChoosesAFile) {
    Names afterType;
    WhenDialogShows script([&](HWND dialog) {
        HWND types = GetDlgItem(dialog, cmb1);
        SendMessage(types, CB_SETCURSEL, 1, 0);
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(types));
        afterType = ListItems(GetDlgItem(dialog, lst1));
        RECT item{};
        SendMessage(GetDlgItem(dialog, lst1), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
        POINT pt{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ClientToScreen(GetDlgItem(dialog, lst1), &pt);
        for (int i = 0; i < 2; ++i) {
            InjectMouseButton(pt, VK_LBUTTON, true);
            InjectMouseButton(pt, VK_LBUTTON, false);
        }
    });
    ASSERT_TRUE(GetOpenFileName(&ofn_));
    EXPECT_EQ(afterType, (Names{"notes.txt"}));
    EXPECT_EQ(std::string(file_), dir_ / "notes.txt");
    EXPECT_EQ(ofn_.nFilterIndex, 2u);
}

TEST_F(CommonDialogs, SaveAsksBeforeReplacingThroughTheMessageBoxHook) {
    ofn_.Flags |= OFN_OVERWRITEPROMPT;
    ofn_.lpstrDefExt = "csv";
    boxAnswer_ = IDNO;
    Answer({Typed("run1"), Typed("run3")});
    ASSERT_TRUE(GetSaveFileName(&ofn_));
    EXPECT_EQ(requests_.size(), 2u);  // asked again after the refusal
    EXPECT_EQ(boxes_, (Names{"run1.csv already exists.\nDo you want to replace it?"}));
    EXPECT_EQ(std::string(file_), dir_ / "run3.csv");

    SetControlLanguage(ControlLanguage::German);
    boxes_.clear();
    boxAnswer_ = IDYES;
    Answer({Typed("run1.csv")});
    ASSERT_TRUE(GetSaveFileName(&ofn_));
    EXPECT_EQ(boxes_, (Names{"run1.csv ist bereits vorhanden.\nM\xC3\xB6"
                             "chten Sie die Datei ersetzen?"}));
    CommonDialogAnswer cancel;
    cancel.ok = false;
    Answer({cancel});
    EXPECT_FALSE(GetSaveFileName(&ofn_));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(CommonDialogs, ColourDialogReturnsTheColourPickedOrTyped) {
    COLORREF custom[16] = {};
    CHOOSECOLOR cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner_;
    cc.lpCustColors = custom;
    cc.rgbResult = RGB(255, 0, 0);
    cc.Flags = CC_RGBINIT;
    {
        // Red is the ninth basic colour; one step right is yellow.
        WhenDialogShows script([](HWND) {
            InjectKey(VK_RIGHT, true);
            InjectKey(VK_RIGHT, false);
            InjectKey(VK_RETURN, true);
            InjectKey(VK_RETURN, false);
        });
        ASSERT_TRUE(ChooseColor(&cc));
        EXPECT_EQ(cc.rgbResult, RGB(255, 255, 0));
    }
    {
        cc.Flags = CC_FULLOPEN;
        WhenDialogShows script([](HWND dialog) {
            SetDlgItemText(dialog, 706, "12");
            SetDlgItemText(dialog, 707, "34");
            SetDlgItemText(dialog, 708, "300");  // more than a colour part can be
            SendMessage(dialog, WM_COMMAND, MAKEWPARAM(712, BN_CLICKED),
                        0);  // to the custom colours
            InjectKey(VK_RETURN, true);
            InjectKey(VK_RETURN, false);
        });
        ASSERT_TRUE(ChooseColor(&cc));
        EXPECT_EQ(cc.rgbResult, RGB(12, 34, 255));
        EXPECT_EQ(custom[0], RGB(12, 34, 255));
    }
    CommonDialogAnswer pick;
    pick.color = RGB(1, 2, 3);
    Answer({pick});
    ASSERT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(cc.rgbResult, RGB(1, 2, 3));
}

TEST_F(CommonDialogs, FontDialogReturnsFamilySizeStyleEffectsAndColour) {
    LOGFONT lf{};
    CHOOSEFONT cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner_;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS;
    std::string firstFamily;
    WhenDialogShows script([&](HWND dialog) {
        char face[LF_FACESIZE] = {};
        SendDlgItemMessage(dialog, lst1, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(face));
        firstFamily = face;
        SetDlgItemText(dialog, edt1, face);
        SendDlgItemMessage(dialog, lst2, LB_SETCURSEL, 3, 0);  // bold italic
        SetDlgItemText(dialog, edt3, "14");
        CheckDlgButton(dialog, chx2, BST_CHECKED);             // underline
        SendDlgItemMessage(dialog, cmb1, CB_SETCURSEL, 9, 0);  // red
        InjectKey(VK_RETURN, true);
        InjectKey(VK_RETURN, false);
    });
    ASSERT_TRUE(ChooseFont(&cf));
    EXPECT_STREQ(lf.lfFaceName, firstFamily.c_str());
    EXPECT_EQ(cf.iPointSize, 140);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(lf.lfUnderline, 1);
    EXPECT_EQ(cf.rgbColors, RGB(255, 0, 0));

    CommonDialogAnswer tooBig;
    tooBig.face = firstFamily;
    tooBig.pointSize = 30;
    CommonDialogAnswer fine = tooBig;
    fine.pointSize = 9;
    cf.Flags |= CF_LIMITSIZE;
    cf.nSizeMin = 6;
    cf.nSizeMax = 24;
    Answer({tooBig, fine});
    ASSERT_TRUE(ChooseFont(&cf));
    EXPECT_EQ(boxes_, (Names{"Size must be between 6 and 24 points."}));
    EXPECT_EQ(cf.iPointSize, 90);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
}

TEST_F(CommonDialogs, PrintDialogReturnsAPrinterDcForThePdfFile) {
    PRINTDLG pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner_;
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
               PD_USEDEVMODECOPIESANDCOLLATE;
    CommonDialogAnswer answer;
    answer.text = "PDF";
    answer.copies = 2;
    answer.landscape = true;
    answer.file = dir_ / "diagram.pdf";
    Answer({answer});
    ASSERT_TRUE(PrintDlg(&pd));
    ASSERT_NE(pd.hDC, nullptr);
    EXPECT_EQ(GetDeviceCaps(pd.hDC, LOGPIXELSX), 300);
    EXPECT_GT(GetDeviceCaps(pd.hDC, HORZRES), GetDeviceCaps(pd.hDC, VERTRES));
    const auto* mode = static_cast<const DEVMODE*>(GlobalLock(pd.hDevMode));
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->dmCopies, 2);
    EXPECT_EQ(mode->dmPrintQuality, 300);
    EXPECT_EQ(pd.nCopies, 1);
    DOCINFO doc{sizeof(DOCINFO), "Graph", nullptr, nullptr, 0};
    EXPECT_GT(StartDoc(pd.hDC, &doc), 0);
    EXPECT_GT(StartPage(pd.hDC), 0);
    EXPECT_GT(EndPage(pd.hDC), 0);
    EXPECT_GT(EndDoc(pd.hDC), 0);
    DeleteDC(pd.hDC);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "diagram.pdf"));
    GlobalFree(pd.hDevMode);
    GlobalFree(pd.hDevNames);
}

TEST_F(CommonDialogs, PrintDialogByKeyboardAsksForThePdfFile) {
    PRINTDLG pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner_;
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS;
    const std::string target = dir_ / "out.pdf";
    WhenDialogShows script([&](HWND dialog) {
        // Without CUPS the PDF entry is the only printer; its file goes into the field.
        SetDlgItemText(dialog, edt1, target.c_str());
        SetDlgItemText(dialog, edt4, "3");
        CheckRadioButton(dialog, 0x0426, 0x0427, 0x0427);
        InjectKey(VK_RETURN, true);
        InjectKey(VK_RETURN, false);
    });
    const char* path = std::getenv("PATH");
    const std::string saved = path ? path : "";
    setenv("PATH", dir_.Path().c_str(), 1);  // no lpstat here
    const BOOL ok = PrintDlg(&pd);
    setenv("PATH", saved.c_str(), 1);
    ASSERT_TRUE(ok);
    EXPECT_EQ(pd.nCopies, 3);
    ASSERT_NE(pd.hDC, nullptr);
    EXPECT_GT(GetDeviceCaps(pd.hDC, HORZRES), GetDeviceCaps(pd.hDC, VERTRES));
    DeleteDC(pd.hDC);
    GlobalFree(pd.hDevMode);
    GlobalFree(pd.hDevNames);
}

int PreselectCallback(HWND hwnd, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED)
        SendMessage(hwnd, BFFM_SETSELECTION, TRUE, data);
    return 0;
}

TEST_F(CommonDialogs, FolderPickerPreselectsMakesAFolderAndReturnsIt) {
    char name[MAX_PATH] = {};
    const std::string start = dir_.Path();
    BROWSEINFO bi{};
    bi.hwndOwner = owner_;
    bi.pszDisplayName = name;
    bi.lpszTitle = "Zielordner";
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    bi.lpfn = &PreselectCallback;
    bi.lParam = reinterpret_cast<LPARAM>(start.c_str());
    std::string shown;
    Names listed;
    WhenDialogShows script([&](HWND dialog) {
        shown = Text(GetDlgItem(dialog, edt1));
        listed = ListItems(GetDlgItem(dialog, lst1));
        SetDlgItemText(dialog, edt1, "Neu/Tiefer");
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(psh1, BN_CLICKED), 0);
        InjectKey(VK_RETURN, true);
        InjectKey(VK_RETURN, false);
    });
    LPITEMIDLIST pidl = SHBrowseForFolder(&bi);
    ASSERT_NE(pidl, nullptr);
    EXPECT_EQ(shown, start);
    EXPECT_EQ(listed, (Names{"..", "Messungen"}));
    char path[MAX_PATH] = {};
    ASSERT_TRUE(SHGetPathFromIDList(pidl, path));
    EXPECT_EQ(std::string(path), dir_ / "Neu/Tiefer");
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "Neu/Tiefer"));
    EXPECT_STREQ(name, "Tiefer");
    CoTaskMemFree(pidl);

    Answer({Typed(dir_ / "run1.csv"), Typed(dir_ / "Messungen")});
    pidl = SHBrowseForFolder(&bi);
    ASSERT_NE(pidl, nullptr);
    ASSERT_TRUE(SHGetPathFromIDList(pidl, path));
    EXPECT_EQ(std::string(path), dir_ / "Messungen");
    EXPECT_EQ(boxes_.size(), 1u);  // a file is no folder
    ILFree(pidl);
}

TEST_F(CommonDialogs, FileDialogFoldersOpenByMouseAndSeveralFilesAreChosenWithCtrl) {
    Names inside, back;
    WhenDialogShows script([&](HWND dialog) {
        HWND folders = GetDlgItem(dialog, lst2);
        // Double-click "Messungen" (the second entry, after "..").
        RECT rc{};
        SendMessage(folders, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rc));
        POINT pt{rc.left + 5, (rc.top + rc.bottom) / 2};
        ClientToScreen(folders, &pt);
        for (int i = 0; i < 2; ++i) {
            InjectMouseButton(pt, VK_LBUTTON, true);
            InjectMouseButton(pt, VK_LBUTTON, false);
        }
        PumpUntilIdle();
        inside = ListItems(folders);
        const POINT up = Centre(GetDlgItem(dialog, psh3));
        InjectMouseButton(up, VK_LBUTTON, true);
        InjectMouseButton(up, VK_LBUTTON, false);
        PumpUntilIdle();
        back = ListItems(folders);
        // Ctrl+click both files, then confirm.
        HWND files = GetDlgItem(dialog, lst1);
        InjectKey(VK_CONTROL, true);
        for (int i = 0; i < 2; ++i) {
            SendMessage(files, LB_GETITEMRECT, static_cast<WPARAM>(i),
                        reinterpret_cast<LPARAM>(&rc));
            POINT at{rc.left + 5, (rc.top + rc.bottom) / 2};
            ClientToScreen(files, &at);
            InjectMouseButton(at, VK_LBUTTON, true);
            InjectMouseButton(at, VK_LBUTTON, false);
        }
        InjectKey(VK_CONTROL, false);
        PumpUntilIdle();
        PostMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    ofn_.Flags |= OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST;
    ASSERT_TRUE(GetOpenFileName(&ofn_));
    EXPECT_EQ(inside, (Names{".."}));
    EXPECT_EQ(back, (Names{"..", "Messungen"}));
    EXPECT_EQ(std::string(file_), dir_.Path());
    EXPECT_EQ(std::string(file_ + ofn_.nFileOffset), "run1.csv");
    EXPECT_EQ(std::string(file_ + ofn_.nFileOffset + 9), "run2.csv");
}

TEST_F(CommonDialogs, ColourDialogKeepsCustomColoursOnCancelAndMayStayNarrow) {
    COLORREF custom[16] = {RGB(9, 9, 9)};
    CHOOSECOLOR cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner_;
    cc.lpCustColors = custom;
    cc.Flags = CC_PREVENTFULLOPEN;
    bool defineEnabled = true, redVisible = true;
    WhenDialogShows script([&](HWND dialog) {
        defineEnabled = IsWindowEnabled(GetDlgItem(dialog, 719)) != FALSE;
        redVisible = IsWindowVisible(GetDlgItem(dialog, 706)) != FALSE;
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(712, BN_CLICKED), 0);
        InjectKey(VK_ESCAPE, true);
        InjectKey(VK_ESCAPE, false);
    });
    EXPECT_FALSE(ChooseColor(&cc));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_FALSE(defineEnabled);
    EXPECT_FALSE(redVisible);
    EXPECT_EQ(custom[0], RGB(9, 9, 9));
}

TEST_F(CommonDialogs, FontDialogComplainsAboutUnknownFacesAndSizesThatAreNoNumbers) {
    LOGFONT lf{};
    CHOOSEFONT cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner_;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_FORCEFONTEXIST;
    WhenDialogShows script([&](HWND dialog) {
        SetDlgItemText(dialog, edt1, "Nowhere Sans");
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
        SendMessage(GetDlgItem(dialog, lst1), LB_SETCURSEL, 0, 0);
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(lst1, LBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(GetDlgItem(dialog, lst1)));
        SetDlgItemText(dialog, edt3, "zwölf");
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
        SetDlgItemText(dialog, edt3, "12");
        PostMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(ChooseFont(&cf));
    EXPECT_EQ(boxes_,
              (Names{"There is no font with that name.\nChoose a font from the list of fonts.",
                     "Size must be a number."}));
    EXPECT_EQ(cf.iPointSize, 120);
    EXPECT_NE(std::string(lf.lfFaceName), "Nowhere Sans");
}

int CountingCallback(HWND hwnd, UINT message, LPARAM lParam, LPARAM data) {
    auto* seen = reinterpret_cast<Names*>(data);
    if (message == BFFM_INITIALIZED) {
        SendMessage(hwnd, BFFM_ENABLEOK, 0, FALSE);
        SendMessage(hwnd, BFFM_SETSTATUSTEXT, 0, reinterpret_cast<LPARAM>("Bitte warten"));
    }
    if (message == BFFM_SELCHANGED) {
        char path[MAX_PATH] = {};
        SHGetPathFromIDList(reinterpret_cast<LPCITEMIDLIST>(lParam), path);
        seen->push_back(path);
    }
    return 0;
}

TEST_F(CommonDialogs, FolderPickerReportsSelectionsAndObeysTheCallback) {
    Names seen;
    BROWSEINFO bi{};
    bi.hwndOwner = owner_;
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_NONEWFOLDERBUTTON;
    bi.lpfn = &CountingCallback;
    bi.lParam = reinterpret_cast<LPARAM>(&seen);
    bool okEnabled = true, newFolderButton = true;
    std::string status;
    WhenDialogShows script([&](HWND dialog) {
        okEnabled = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
        newFolderButton = GetDlgItem(dialog, psh1) != nullptr;
        status = Text(GetDlgItem(dialog, stc2));
        SendMessage(dialog, BFFM_SETSELECTION, TRUE, reinterpret_cast<LPARAM>(dir_.Path().c_str()));
        HWND list = GetDlgItem(dialog, lst1);
        SendMessage(list, LB_SETCURSEL, 1, 0);
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(lst1, LBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(list));
        InjectKey(VK_ESCAPE, true);
        InjectKey(VK_ESCAPE, false);
    });
    EXPECT_EQ(SHBrowseForFolder(&bi), nullptr);
    EXPECT_FALSE(okEnabled);
    EXPECT_FALSE(newFolderButton);
    EXPECT_EQ(status, "Bitte warten");
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen[seen.size() - 2], dir_.Path());
    EXPECT_EQ(seen.back(), dir_ / "Messungen");
}

}  // namespace
}  // namespace kq::ui::test
