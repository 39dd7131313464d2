// The file types of a file dialog: a filter of pairs "text\0pattern;pattern\0...\0" (or the
// framework's "text|pattern|...||"), and which names of a folder a type lets through.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kq::ui::commdlg {

struct FileType {
    std::string text;
    std::vector<std::string> patterns;  // "*.txt"; empty lets every file through

    bool Matches(std::string_view name) const;
    // The extension a name of this type gets ("txt" for "*.txt"), empty when the type has
    // none that is one plain extension.
    std::string Extension() const;
};

// A filter as OPENFILENAME carries it: pairs of zero-terminated strings ended by an empty one.
std::vector<FileType> ParseFilter(const char* filter);
// The framework's form with '|' between the parts, turned into the zero-separated form.
std::string FilterFromBars(std::string_view bars);

struct FolderEntry {
    std::string name;
    bool folder = false;
};

// A folder's subfolders, then its files of the type (all files without one), each group
// sorted without regard to case. Names starting with '.' are left out unless showHidden.
// Empty when the folder cannot be read.
std::vector<FolderEntry> ListFolder(const std::string& folder, const FileType* type,
                                    bool showHidden);

}  // namespace kq::ui::commdlg
