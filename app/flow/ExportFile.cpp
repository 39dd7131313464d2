// The export's durable write: AtomicFile for a new target (chunks of 1 MB), the append function
// of the platform for an existing one (a constant name, or a name already taken this second).
#include "app/flow/ExportFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/base/CodePage1252.h"
#include "platform/base/FileSystem.h"
#include "platform/base/InterruptedWrites.h"
#include "platform/gfx/codec/AtomicFile.h"

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

CExportFile::CExportFile() = default;
CExportFile::~CExportFile() = default;

int CExportFile::CheckWritable(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode))
            return EISDIR;
        if (!S_ISREG(status.st_mode) && !S_ISCHR(status.st_mode))
            return EINVAL;
        return ::access(path.c_str(), W_OK) == 0 ? 0 : errno;
    }
    if (errno != ENOENT)
        return errno;
    const std::string folder = FolderOf(path);
    if (::stat(folder.c_str(), &status) != 0)
        return errno;
    if (!S_ISDIR(status.st_mode))
        return ENOTDIR;
    return ::access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

bool CExportFile::Open(const std::string& path, std::string_view header, bool replace) {
    m_error.clear();
    const int error = CheckWritable(path);
    if (error != 0) {
        m_error = std::strerror(error);
        return false;
    }
    // A save or append that was killed in this folder is tidied up before the next one.
    kq::RemoveStaleWrites(FolderOf(path));
    m_path = path;
    m_bReplace = replace;
    m_pAhead.reset();
    m_bAppendChecked = false;
    m_text = kq::Utf8ToCp1252(header);
    m_bOpen = true;
    return true;
}

void CExportFile::Append(std::string_view text) {
    m_text += kq::Utf8ToCp1252(text);
}

bool CExportFile::IsAppend() const {
    struct stat status {};
    return !m_bReplace && ::stat(m_path.c_str(), &status) == 0;
}

kq::gfx::AtomicFile& CExportFile::NewFile() {
    if (!m_pAhead) {
        m_pAhead = std::make_unique<kq::gfx::AtomicFile>();
        m_pAhead->Open(m_path);  // a failure shows in the writes and at the commit
    }
    return *m_pAhead;
}

bool CExportFile::WriteToNewFile(size_t bytes) {
    kq::gfx::AtomicFile& file = NewFile();
    for (size_t at = 0; at < bytes; at += kChunk) {
        if (!file.Write(m_text.data() + at, std::min(kChunk, bytes - at)))
            return false;
    }
    return true;
}

void CExportFile::WriteAhead() {
    if (!m_bOpen || m_bAppendChecked || m_text.size() < kChunk)
        return;
    if (!m_pAhead && IsAppend()) {
        m_bAppendChecked = true;
        return;
    }
    const size_t whole = m_text.size() / kChunk * kChunk;
    if (WriteToNewFile(whole))
        m_pAhead->StartWriteBack();
    m_text.erase(0, whole);
}

bool CExportFile::Commit() {
    if (!m_bOpen)
        return false;
    m_bOpen = false;
    m_committed = 0;
    bool ok = true;
    if (!m_pAhead && IsAppend()) {
        const int error = kq::AppendBlock(m_path, m_text.data(), m_text.size());
        ok = error == 0;
        if (ok)
            m_committed = m_text.size();
        else
            m_error = std::strerror(error);
    } else {
        // A new file, perhaps begun ahead: the rest follows into its temporary file.
        ok = WriteToNewFile(m_text.size()) && m_pAhead->Commit();
        if (ok)
            m_committed = m_pAhead->BytesWritten();
        else
            m_error = m_pAhead->Error();
        m_pAhead.reset();
    }
    m_text.clear();
    m_text.shrink_to_fit();
    return ok;
}

void CExportFile::Discard() {
    m_bOpen = false;
    m_text.clear();
    m_pAhead.reset();  // removes what was written ahead
}
