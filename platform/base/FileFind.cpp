#include "platform/base/FileFind.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

#include "platform/base/LastError.h"
#include "platform/base/Paths.h"

namespace {

struct FindState {
    std::vector<WIN32_FIND_DATA> entries;
    size_t next = 0;
};

// Live search handles, so that a stale or foreign handle is reported instead of followed.
std::mutex g_findMutex;
std::set<FindState*> g_finds;

char Fold(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool GlobMatch(std::string_view pattern, std::string_view name) {
    size_t p = 0, n = 0;
    size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || Fold(pattern[p]) == Fold(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

WIN32_FIND_DATA MakeEntry(const std::string& name, const struct stat& st) {
    WIN32_FIND_DATA data{};
    data.dwFileAttributes = kq::FileAttributesOf(st.st_mode, name);
    auto nanos = [](const timespec& t) { return t.tv_sec * 1000000000LL + t.tv_nsec; };
    data.ftCreationTime = kq::FileTimeFromUnixNanos(nanos(st.st_ctim));
    data.ftLastAccessTime = kq::FileTimeFromUnixNanos(nanos(st.st_atim));
    data.ftLastWriteTime = kq::FileTimeFromUnixNanos(nanos(st.st_mtim));
    const auto size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
    data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFu);
    std::memcpy(data.cFileName, name.c_str(), std::min(name.size() + 1, sizeof data.cFileName));
    data.cFileName[sizeof data.cFileName - 1] = '\0';
    return data;
}

// "." and ".." first, then names in the order Windows lists them: upper-cased, then as stored.
bool ListedBefore(const WIN32_FIND_DATA& a, const WIN32_FIND_DATA& b) {
    auto rank = [](const char* name) {
        return std::strcmp(name, ".") == 0 ? 0 : std::strcmp(name, "..") == 0 ? 1 : 2;
    };
    if (rank(a.cFileName) != rank(b.cFileName))
        return rank(a.cFileName) < rank(b.cFileName);
    for (size_t i = 0;; ++i) {
        const char x = Fold(a.cFileName[i]), y = Fold(b.cFileName[i]);
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        if (x == '\0')
            return std::strcmp(a.cFileName, b.cFileName) < 0;
    }
}

// The folder and the name pattern of a search pattern.
std::pair<std::string, std::string> SplitPattern(const std::string& pattern) {
    const size_t slash = pattern.rfind('/');
    if (slash == std::string::npos)
        return {std::string("."), pattern};
    return {pattern.substr(0, slash == 0 ? 1 : slash), pattern.substr(slash + 1)};
}

}  // namespace

namespace kq {

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
    if (GlobMatch(pattern, name))
        return true;
    // "*.*" and the like also take names without an extension.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
        name.find('.') == std::string_view::npos)
        return GlobMatch(pattern.substr(0, pattern.size() - 2), name);
    return false;
}

}  // namespace kq

HANDLE FindFirstFile(LPCSTR pattern, WIN32_FIND_DATA* data) {
    if (pattern == nullptr || data == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const auto [folder, namePattern] = SplitPattern(pattern);
    if (namePattern.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        SetLastError(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                                         : KqErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    auto state = std::make_unique<FindState>();
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!kq::MatchesWildcard(namePattern, name))
            continue;
        const std::string path = kq::JoinPath(folder, name);
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 && ::lstat(path.c_str(), &st) != 0)
            continue;  // vanished while listing
        state->entries.push_back(MakeEntry(name, st));
    }
    ::closedir(dir);
    if (state->entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::sort(state->entries.begin(), state->entries.end(), ListedBefore);
    *data = state->entries[0];
    state->next = 1;
    std::lock_guard lock(g_findMutex);
    g_finds.insert(state.get());
    return state.release();
}

BOOL FindNextFile(HANDLE find, WIN32_FIND_DATA* data) {
    std::lock_guard lock(g_findMutex);
    auto* state = static_cast<FindState*>(find);
    if (g_finds.count(state) == 0 || data == nullptr)
        return kq::FailWith(data ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    if (state->next >= state->entries.size())
        return kq::FailWith(ERROR_NO_MORE_FILES);
    *data = state->entries[state->next++];
    return TRUE;
}

BOOL FindClose(HANDLE find) {
    std::lock_guard lock(g_findMutex);
    auto* state = static_cast<FindState*>(find);
    if (g_finds.erase(state) == 0)
        return kq::FailWith(ERROR_INVALID_HANDLE);
    delete state;
    return TRUE;
}

CFileFind::~CFileFind() {
    Close();
}

void CFileFind::Close() {
    if (find_ != nullptr)
        ::FindClose(find_);
    find_ = nullptr;
    hasNext_ = hasCurrent_ = false;
    root_.clear();
}

BOOL CFileFind::FindFile(LPCSTR pattern, DWORD) {
    Close();
    const std::string full = pattern ? pattern : "*.*";
    HANDLE find = ::FindFirstFile(full.c_str(), &next_);
    if (find == INVALID_HANDLE_VALUE)
        return FALSE;
    find_ = find;
    hasNext_ = true;
    std::error_code error;
    root_ = std::filesystem::absolute(SplitPattern(full).first, error).lexically_normal().string();
    if (root_.size() > 1 && root_.back() == '/')
        root_.pop_back();
    return TRUE;
}

BOOL CFileFind::FindNextFile() {
    if (!hasNext_)
        return FALSE;
    current_ = next_;
    hasCurrent_ = true;
    hasNext_ = ::FindNextFile(find_, &next_) != FALSE;
    return hasNext_;
}

CString CFileFind::GetFileName() const {
    return hasCurrent_ ? CString(current_.cFileName) : CString();
}

CString CFileFind::GetFilePath() const {
    return hasCurrent_ ? CString(kq::JoinPath(root_, current_.cFileName)) : CString();
}

CString CFileFind::GetFileTitle() const {
    CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFileFind::GetRoot() const {
    return CString(root_);
}

BOOL CFileFind::IsDots() const {
    return hasCurrent_ && (std::strcmp(current_.cFileName, ".") == 0 ||
                           std::strcmp(current_.cFileName, "..") == 0);
}

BOOL CFileFind::MatchesMask(DWORD mask) const {
    return hasCurrent_ && (current_.dwFileAttributes & mask) != 0;
}
