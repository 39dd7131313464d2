// Answering the common dialogs without a user. Before a common dialog shows itself it asks the
// hook; an answer stands for what a user would have done in the dialog (typed a name, picked a
// colour, chose a printer and pressed OK, or pressed Cancel), and the dialog then checks and
// returns it exactly as if it had come from its controls - prompts included, which go to
// message boxes (and so to the message box hook). Without a hook, or when it answers nothing,
// the dialog is shown.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/ui/UiTypes.h"

namespace kq::ui {

enum class CommonDialogKind { OpenFile, SaveFile, Folder, Color, Font, Print, PageSetup };

struct CommonDialogAnswer {
    bool ok = true;  // false: Cancel
    // Files: the text typed into the name field (a name, a path relative to the initial
    // folder or absolute, or several names in double quotes). Folders: the folder chosen.
    // Print and page set-up: the printer chosen (empty keeps the default; the PDF entry is
    // "PDF").
    std::string text;
    int filterIndex = 0;    // files: the file type chosen (1-based); 0 keeps the dialog's
    bool readOnly = false;  // files: the read-only box
    // Colours: the colour. Fonts: the text colour (with CF_EFFECTS).
    COLORREF color = 0;
    // Fonts: family, size in points, bold and italic, underline and strike-out.
    std::string face;
    int pointSize = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    // Printing: copies (0 keeps), landscape, and the PDF file when printing to "PDF".
    int copies = 0;
    bool landscape = false;
    std::string file;
};

struct CommonDialogRequest {
    CommonDialogKind kind;
    HWND owner = nullptr;
    std::string title;           // the caption the dialog shows
    const void* data = nullptr;  // the caller's OPENFILENAME, CHOOSECOLOR, ... structure
};

using CommonDialogHook =
    std::function<std::optional<CommonDialogAnswer>(const CommonDialogRequest& request)>;
// Null removes the hook.
void SetCommonDialogHook(CommonDialogHook hook);
std::optional<CommonDialogAnswer> AskCommonDialogHook(const CommonDialogRequest& request);

}  // namespace kq::ui

namespace kq::ui::commdlg {

// The error CommDlgExtendedError reports on this thread.
void SetExtendedError(DWORD error);

}  // namespace kq::ui::commdlg
