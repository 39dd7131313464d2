#include "platform/base/LegacyFile.h"

#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <mutex>

#include "platform/base/File.h"
#include "platform/base/LastError.h"
#include "platform/base/Utf8.h"

namespace {

constexpr UINT kShareMask = 0x0070;

// Open files by handle. Handles count up and are not reused, so a closed handle stays invalid.
struct OpenFiles {
    std::mutex mutex;
    std::map<HFILE, std::shared_ptr<CFile>> files;
    HFILE next = 1;
};

OpenFiles& Files() {
    static OpenFiles files;
    return files;
}

std::shared_ptr<CFile> Find(HFILE file) {
    OpenFiles& open = Files();
    std::lock_guard lock(open.mutex);
    auto it = open.files.find(file);
    return it == open.files.end() ? nullptr : it->second;
}

// Copies the path into the structure, cut before a character that would not fit whole.
void StorePath(const CString& path, LPOFSTRUCT info) {
    const std::string_view text(path.GetString(), static_cast<size_t>(path.GetLength()));
    size_t end = 0;
    while (end < text.size()) {
        const kq::CodePoint cp = kq::DecodeUtf8At(text, end);
        if (end + static_cast<size_t>(cp.length) > OFS_MAXPATHNAME - 1)
            break;
        end += static_cast<size_t>(cp.length);
    }
    std::memcpy(info->szPathName, text.data(), end);
    info->szPathName[end] = '\0';
}

HFILE Fail(LPOFSTRUCT info, DWORD error) {
    SetLastError(error);
    if (info)
        info->nErrCode = static_cast<WORD>(error);
    return HFILE_ERROR;
}

// Runs a CFile call, turning its exception into the last error; false when it threw.
template <typename Call>
bool Guarded(Call call) {
    try {
        call();
        return true;
    } catch (CFileException* e) {
        SetLastError(e->m_lOsError >= 0 ? KqErrorFromErrno(e->m_lOsError)
                                        : static_cast<DWORD>(ERROR_GEN_FAILURE));
        e->Delete();
    } catch (CException* e) {
        SetLastError(ERROR_GEN_FAILURE);
        e->Delete();
    }
    return false;
}

}  // namespace

HFILE OpenFile(LPCSTR path, LPOFSTRUCT info, UINT style) {
    if (info) {
        std::memset(info, 0, sizeof *info);
        info->cBytes = sizeof *info;
        info->fFixedDisk = 1;
    }
    if (!path || !info)
        return Fail(info, ERROR_INVALID_PARAMETER);
    if ((style & ~kShareMask) != OF_READ)
        return Fail(info, ERROR_NOT_SUPPORTED);
    auto file = std::make_shared<CFile>();
    CFileException error;
    if (!file->Open(path, CFile::modeRead | CFile::typeBinary | (style & kShareMask), &error)) {
        return Fail(info, error.m_lOsError >= 0 ? KqErrorFromErrno(error.m_lOsError)
                                                : static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    }
    CFileStatus status;
    StorePath(file->GetStatus(status) ? status.m_szFullName : CString(path), info);
    OpenFiles& open = Files();
    std::lock_guard lock(open.mutex);
    if (open.next == std::numeric_limits<HFILE>::max())
        return Fail(info, ERROR_TOO_MANY_OPEN_FILES);
    const HFILE handle = open.next++;
    open.files.emplace(handle, std::move(file));
    return handle;
}

UINT _lread(HFILE handle, LPVOID buffer, UINT bytes) {
    std::shared_ptr<CFile> file = Find(handle);
    if (!file || (!buffer && bytes > 0)) {
        SetLastError(file ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return static_cast<UINT>(HFILE_ERROR);
    }
    UINT done = 0;
    if (!Guarded([&] { done = file->Read(buffer, bytes); }))
        return static_cast<UINT>(HFILE_ERROR);
    return done;
}

LONG _llseek(HFILE handle, LONG offset, int origin) {
    std::shared_ptr<CFile> file = Find(handle);
    if (!file) {
        SetLastError(ERROR_INVALID_HANDLE);
        return HFILE_ERROR;
    }
    if (origin < 0 || origin > 2) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HFILE_ERROR;
    }
    ULONGLONG position = 0;
    if (!Guarded([&] { position = file->Seek(offset, static_cast<UINT>(origin)); }))
        return HFILE_ERROR;
    // A position the 32-bit result cannot carry is an error rather than a wrapped number.
    if (position > static_cast<ULONGLONG>(std::numeric_limits<LONG>::max())) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HFILE_ERROR;
    }
    return static_cast<LONG>(position);
}

HFILE _lclose(HFILE handle) {
    std::shared_ptr<CFile> file;
    {
        OpenFiles& open = Files();
        std::lock_guard lock(open.mutex);
        auto it = open.files.find(handle);
        if (it == open.files.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return HFILE_ERROR;
        }
        file = std::move(it->second);
        open.files.erase(it);
    }
    return Guarded([&] { file->Close(); }) ? 0 : HFILE_ERROR;
}
