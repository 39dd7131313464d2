#include "platform/ui/commdlg/FileTypes.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

#include "platform/base/FileFind.h"

namespace kq::ui::commdlg {

namespace {

std::string Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return std::string(s.substr(b, e - b));
}

bool LessNoCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

bool FileType::Matches(std::string_view name) const {
    if (patterns.empty())
        return true;
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](const std::string& p) { return kq::MatchesWildcard(p, name); });
}

std::string FileType::Extension() const {
    if (patterns.empty())
        return {};
    const std::string& p = patterns.front();
    if (p.size() < 3 || p[0] != '*' || p[1] != '.')
        return {};
    std::string ext = p.substr(2);
    if (ext.find_first_of("*?.") != std::string::npos)
        return {};
    return ext;
}

std::vector<FileType> ParseFilter(const char* filter) {
    std::vector<FileType> types;
    if (!filter)
        return types;
    for (const char* p = filter; *p;) {
        FileType type;
        type.text = p;
        p += std::strlen(p) + 1;
        // A text without its patterns ends the list: the terminator is not read past.
        const bool last = *p == '\0';
        std::string_view patterns = p;
        size_t start = 0;
        while (start < patterns.size()) {
            const size_t end = std::min(patterns.find(';', start), patterns.size());
            std::string one = Trim(patterns.substr(start, end - start));
            if (!one.empty())
                type.patterns.push_back(std::move(one));
            start = end + 1;
        }
        types.push_back(std::move(type));
        if (last)
            break;
        p += patterns.size() + 1;
    }
    return types;
}

std::string FilterFromBars(std::string_view bars) {
    std::string out(bars);
    std::replace(out.begin(), out.end(), '|', '\0');
    // Two terminating zeros, however the text ended.
    out.push_back('\0');
    out.push_back('\0');
    return out;
}

std::vector<FolderEntry> ListFolder(const std::string& folder, const FileType* type,
                                    bool showHidden) {
    namespace fs = std::filesystem;
    std::vector<std::string> folders, files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!showHidden && !name.empty() && name[0] == '.')
            continue;
        std::error_code typeError;
        if (it->is_directory(typeError))
            folders.push_back(name);
        else if (!type || type->Matches(name))
            files.push_back(name);
    }
    std::sort(folders.begin(), folders.end(), LessNoCase);
    std::sort(files.begin(), files.end(), LessNoCase);
    std::vector<FolderEntry> entries;
    for (auto& name : folders)
        entries.push_back({std::move(name), true});
    for (auto& name : files)
        entries.push_back({std::move(name), false});
    return entries;
}

}  // namespace kq::ui::commdlg
