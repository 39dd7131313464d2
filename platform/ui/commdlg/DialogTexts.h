// The texts the common dialogs show, in the controls' language.
#pragma once

#include <string>

namespace kq::ui::commdlg {

enum class Text {
    Ok,
    Cancel,
    // Files.
    OpenCaption,
    SaveCaption,
    LookIn,
    SaveIn,
    FileName,
    FilesOfType,
    OpenButton,
    SaveButton,
    ReadOnly,
    UpFolder,
    NewFolder,
    OverwritePrompt,  // %s: the file
    CreatePrompt,
    FileNotFound,
    PathNotFound,
    InvalidName,
    // Folders.
    FolderCaption,
    FolderTitle,
    MakeNewFolder,
    FolderLabel,
    NewFolderName,
    FolderNotCreated,
    NotAFolder,
    // Colours.
    ColorCaption,
    BasicColors,
    CustomColors,
    DefineCustom,
    AddCustom,
    Red,
    Green,
    Blue,
    // Fonts.
    FontCaption,
    FontFace,
    FontStyle,
    FontSize,
    Effects,
    Strikeout,
    Underline,
    FontColor,
    Sample,
    StyleRegular,
    StyleItalic,
    StyleBold,
    StyleBoldItalic,
    NoSuchFont,
    SizeRange,  // %d %d: the limits
    SizeNotNumber,
    // Printing.
    PrintCaption,
    PageSetupCaption,
    Printer,
    PrinterName,
    PdfPrinter,
    PdfFile,
    Copies,
    CopiesGroup,
    Collate,
    PrintRange,
    RangeAll,
    RangePages,
    RangeSelection,
    PagesFrom,
    PagesTo,
    Orientation,
    Portrait,
    Landscape,
    Paper,
    PaperA4,
    Margins,
    MarginLeft,
    MarginRight,
    MarginTop,
    MarginBottom,
    NoPrinters,
    PdfFilter,
    NumberRange,  // %d %d
    MarginsInches,
    MarginTooLarge,
    Count
};

const char* Tr(Text text);
// The text with its "%s" replaced.
std::string TrWith(Text text, const std::string& value);
// The text with its two "%d" replaced.
std::string TrWith(Text text, int first, int second);

// Names of the 16 colours of the font dialog's colour list (COLORREF order as in the list).
const char* ColorName(int index);

}  // namespace kq::ui::commdlg
