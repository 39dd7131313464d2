// The logic of the file dialogs, apart from their window: the folder shown, the file type,
// and what a name typed (or picked) and confirmed means - another folder, a pattern, or the
// file(s) chosen after the checks the flags ask for (the file must exist, the path must exist,
// replace an existing file?, create a missing one?). Questions and complaints go through the
// prompts given, which the dialog turns into message boxes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/commdlg/CommDlg.h"
#include "platform/ui/commdlg/FileTypes.h"

namespace kq::ui::commdlg {

struct FilePrompts {
    std::function<bool(const std::string& question)> confirm;  // true: Yes
    std::function<void(const std::string& complaint)> inform;
};

class FileChooser {
  public:
    FileChooser(const OPENFILENAME& ofn, bool save);

    bool IsSave() const { return save_; }
    std::string Caption() const;
    const std::string& Folder() const { return folder_; }
    // False (nothing changes) for a folder that cannot be read.
    bool SetFolder(const std::string& folder);
    bool GoUp();
    const std::vector<FileType>& Types() const { return types_; }
    int TypeIndex() const { return type_; }  // 0-based
    void SetTypeIndex(int index);
    // The folder's subfolders and the files of the type (or of the pattern typed last).
    std::vector<FolderEntry> Entries() const;
    const std::string& InitialName() const { return initialName_; }

    enum class Step { Stay, Accept };
    // The user confirmed the text of the name field.
    Step Submit(const std::string& typed, const FilePrompts& prompts);
    const std::vector<std::string>& Chosen() const { return chosen_; }

    // Writes the chosen files into the caller's structure (and changes the current directory
    // unless OFN_NOCHANGEDIR). False, with FNERR_BUFFERTOOSMALL set and the size needed in the
    // buffer's first two bytes, when lpstrFile is too small.
    bool Store(OPENFILENAME& ofn, bool readOnly) const;

  private:
    std::string Resolve(const std::string& name) const;
    std::string WithExtension(const std::string& path) const;
    bool Check(const std::string& path, const FilePrompts& prompts) const;

    bool save_;
    DWORD flags_;
    std::string defaultExtension_;
    std::string title_;
    std::vector<FileType> types_;
    int type_ = 0;
    std::string pattern_;  // a pattern typed into the name field, shown instead of the type
    std::string folder_;
    std::string initialName_;
    std::vector<std::string> chosen_;
};

// Splits "\"a.txt\" \"b.txt\"" into its quoted names; a text without quotes is one name.
std::vector<std::string> SplitNames(const std::string& typed);

}  // namespace kq::ui::commdlg
