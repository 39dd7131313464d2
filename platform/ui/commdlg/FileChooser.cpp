#include "platform/ui/commdlg/FileChooser.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/base/Paths.h"
#include "platform/ui/commdlg/CommonDialogHook.h"
#include "platform/ui/commdlg/DialogTexts.h"

namespace kq::ui::commdlg {

namespace fs = std::filesystem;

namespace {

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

std::string Normal(const std::string& path) {
    std::string s = fs::path(path).lexically_normal().string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

std::string CurrentFolder() {
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    return ec ? kq::HomeFolder() : cwd.string();
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool HasWildcard(const std::string& text) {
    return text.find_first_of("*?") != std::string::npos;
}

}  // namespace

std::vector<std::string> SplitNames(const std::string& typed) {
    std::vector<std::string> names;
    if (typed.find('"') == std::string::npos) {
        size_t b = typed.find_first_not_of(' ');
        size_t e = typed.find_last_not_of(' ');
        if (b != std::string::npos)
            names.push_back(typed.substr(b, e - b + 1));
        return names;
    }
    for (size_t i = 0; i < typed.size();) {
        const size_t open = typed.find('"', i);
        if (open == std::string::npos)
            break;
        const size_t close = typed.find('"', open + 1);
        const std::string name = typed.substr(
            open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
        if (!name.empty())
            names.push_back(name);
        if (close == std::string::npos)
            break;
        i = close + 1;
    }
    return names;
}

FileChooser::FileChooser(const OPENFILENAME& ofn, bool save)
    : save_(save),
      flags_(ofn.Flags),
      defaultExtension_(ofn.lpstrDefExt ? ofn.lpstrDefExt : ""),
      title_(ofn.lpstrTitle ? ofn.lpstrTitle : ""),
      types_(ParseFilter(ofn.lpstrFilter)) {
    if (!defaultExtension_.empty() && defaultExtension_[0] == '.')
        defaultExtension_.erase(0, 1);
    if (ofn.nFilterIndex >= 1 && ofn.nFilterIndex <= types_.size())
        type_ = static_cast<int>(ofn.nFilterIndex) - 1;
    // A path in the initial name names the folder to start in; otherwise the initial folder,
    // else the current directory.
    std::string initial =
        ofn.lpstrFile ? std::string(ofn.lpstrFile, strnlen(ofn.lpstrFile, ofn.nMaxFile)) : "";
    folder_ = CurrentFolder();
    if (ofn.lpstrInitialDir && IsFolder(ofn.lpstrInitialDir))
        folder_ = Normal(fs::absolute(ofn.lpstrInitialDir).string());
    const size_t slash = initial.rfind('/');
    if (!initial.empty() && IsFolder(initial)) {
        // A folder alone (what a multiple selection leaves behind) is where to start.
        folder_ = Normal(fs::absolute(initial).string());
        initial.clear();
    } else if (slash != std::string::npos) {
        const std::string dir = slash == 0 ? "/" : initial.substr(0, slash);
        if (IsFolder(dir))
            folder_ = Normal(fs::absolute(dir).string());
        initial = initial.substr(slash + 1);
    }
    initialName_ = HasWildcard(initial) ? std::string() : initial;
}

std::string FileChooser::Caption() const {
    if (!title_.empty())
        return title_;
    return Tr(save_ ? Text::SaveCaption : Text::OpenCaption);
}

bool FileChooser::SetFolder(const std::string& folder) {
    if (!IsFolder(folder))
        return false;
    std::error_code ec;
    fs::directory_iterator probe(folder, ec);
    if (ec)
        return false;
    folder_ = Normal(folder);
    return true;
}

bool FileChooser::GoUp() {
    if (folder_ == "/")
        return false;
    return SetFolder(fs::path(folder_).parent_path().string());
}

void FileChooser::SetTypeIndex(int index) {
    if (index >= 0 && index < static_cast<int>(types_.size())) {
        type_ = index;
        pattern_.clear();
    }
}

std::vector<FolderEntry> FileChooser::Entries() const {
    const bool hidden = (flags_ & OFN_FORCESHOWHIDDEN) != 0;
    if (!pattern_.empty()) {
        const FileType typed{"", {pattern_}};
        return ListFolder(folder_, &typed, hidden);
    }
    return ListFolder(folder_, types_.empty() ? nullptr : &types_[type_], hidden);
}

std::string FileChooser::Resolve(const std::string& name) const {
    if (name == "~")
        return kq::HomeFolder();
    if (name.rfind("~/", 0) == 0)
        return Normal(kq::JoinPath(kq::HomeFolder(), name.substr(2)));
    if (!name.empty() && name[0] == '/')
        return Normal(name);
    return Normal(kq::JoinPath(folder_, name));
}

std::string FileChooser::WithExtension(const std::string& path) const {
    // The type's own extension where it has one plain extension, else the default one; only
    // when the caller asked for a default extension and the name has none.
    if (defaultExtension_.empty())
        return path;
    const std::string name = NameOf(path);
    if (name.find('.', 1) != std::string::npos)
        return path;
    std::string extension = types_.empty() ? std::string() : types_[type_].Extension();
    if (extension.empty())
        extension = defaultExtension_;
    return path + "." + extension;
}

bool FileChooser::Check(const std::string& path, const FilePrompts& prompts) const {
    const std::string name = NameOf(path);
    if (name.empty() || name == "." || name == "..") {
        prompts.inform(TrWith(Text::InvalidName, path));
        return false;
    }
    const std::string parent = fs::path(path).parent_path().string();
    if ((flags_ & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) &&
        !IsFolder(parent.empty() ? "/" : parent)) {
        prompts.inform(TrWith(Text::PathNotFound, parent));
        return false;
    }
    const bool exists = Exists(path);
    if (!save_ && !exists && (flags_ & OFN_FILEMUSTEXIST)) {
        prompts.inform(TrWith(Text::FileNotFound, name));
        return false;
    }
    if (!exists && (flags_ & OFN_CREATEPROMPT))
        return prompts.confirm(TrWith(Text::CreatePrompt, name));
    if (save_ && exists && (flags_ & OFN_OVERWRITEPROMPT))
        return prompts.confirm(TrWith(Text::OverwritePrompt, name));
    return true;
}

FileChooser::Step FileChooser::Submit(const std::string& typed, const FilePrompts& prompts) {
    chosen_.clear();
    std::vector<std::string> names = SplitNames(typed);
    if (names.empty())
        return Step::Stay;
    if (names.size() > 1 && !(flags_ & OFN_ALLOWMULTISELECT)) {
        prompts.inform(TrWith(Text::InvalidName, typed));
        return Step::Stay;
    }
    if (names.size() == 1) {
        const std::string& name = names.front();
        // A pattern filters the list; a folder is opened.
        if (HasWildcard(name) && name.find('/') == std::string::npos) {
            pattern_ = name;
            return Step::Stay;
        }
        const std::string path = Resolve(name);
        if (IsFolder(path)) {
            SetFolder(path);
            return Step::Stay;
        }
    }
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        std::string path = Resolve(name);
        // Opening: a name that does not exist as typed may exist with the extension.
        const std::string extended = WithExtension(path);
        if (save_ || !Exists(path))
            path = extended;
        if (!Check(path, prompts))
            return Step::Stay;
        paths.push_back(path);
    }
    chosen_ = std::move(paths);
    return Step::Accept;
}

bool FileChooser::Store(OPENFILENAME& ofn, bool readOnly) const {
    if (chosen_.empty())
        return false;
    std::string result;
    WORD offset = 0;
    WORD extension = 0;
    const std::string folder = fs::path(chosen_.front()).parent_path().string();
    if (chosen_.size() == 1) {
        result = chosen_.front();
        const size_t slash = result.rfind('/');
        offset = static_cast<WORD>(slash == std::string::npos ? 0 : slash + 1);
        const size_t dot = result.rfind('.');
        if (dot != std::string::npos && dot > offset)
            extension = static_cast<WORD>(dot + 1);
        result.push_back('\0');
    } else {
        // The folder, then each name, all ended by a zero, with one more zero at the end.
        result = folder;
        result.push_back('\0');
        offset = static_cast<WORD>(result.size());
        for (const std::string& path : chosen_) {
            result += NameOf(path);
            result.push_back('\0');
        }
        result.push_back('\0');
    }
    if (!ofn.lpstrFile || result.size() > ofn.nMaxFile || result.size() > 0xFFFF) {
        if (ofn.lpstrFile && ofn.nMaxFile >= 2) {
            const WORD needed = static_cast<WORD>(std::min<size_t>(result.size(), 0xFFFF));
            std::memcpy(ofn.lpstrFile, &needed, sizeof needed);
        }
        SetExtendedError(FNERR_BUFFERTOOSMALL);
        return false;
    }
    std::memcpy(ofn.lpstrFile, result.data(), result.size());
    ofn.nFileOffset = offset;
    ofn.nFileExtension = extension;
    if (ofn.lpstrFileTitle && ofn.nMaxFileTitle > 0) {
        const std::string title = NameOf(chosen_.front());
        const size_t n = std::min<size_t>(title.size(), ofn.nMaxFileTitle - 1);
        std::memcpy(ofn.lpstrFileTitle, title.data(), n);
        ofn.lpstrFileTitle[n] = '\0';
    }
    ofn.nFilterIndex = static_cast<DWORD>(type_ + 1);
    ofn.Flags &= ~(OFN_READONLY | OFN_EXTENSIONDIFFERENT);
    if (readOnly && !(ofn.Flags & OFN_HIDEREADONLY))
        ofn.Flags |= OFN_READONLY;
    if (!defaultExtension_.empty() && chosen_.size() == 1) {
        const std::string name = NameOf(chosen_.front());
        const size_t dot = name.rfind('.');
        const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
        if (ext != defaultExtension_)
            ofn.Flags |= OFN_EXTENSIONDIFFERENT;
    }
    if (!(ofn.Flags & OFN_NOCHANGEDIR)) {
        if (::chdir(folder.c_str()) != 0) {
            // The choice stands; only the current directory stays where it was.
        }
    }
    return true;
}

}  // namespace kq::ui::commdlg
