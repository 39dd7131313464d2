// A measurement's export file, whole or nothing: opening only checks that the target can take
// the file and keeps the header; the text gathers in memory and goes out at Commit, a new file
// under a temporary name renamed when complete, an existing one by one all-or-nothing append.
// A new file may take what gathered ahead of Commit (WriteAhead), into its temporary file, so
// that the disk writes while the rest is formatted.
// So a failed write leaves a new file absent and an existing one byte for byte as it was.
// The file is in the Windows code page 1252, as the sensors' users' tools read it: the header and
// appended texts (UTF-8 in the program) are converted on their way in; Text() takes bytes that
// are already 1252, so that the rows of numbers go in without a second pass.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kq::gfx {
class AtomicFile;
}

class CExportFile {
  public:
    CExportFile();
    ~CExportFile();
    CExportFile(const CExportFile&) = delete;
    CExportFile& operator=(const CExportFile&) = delete;

    // 0 when the target can be written (a writable folder, or an existing regular file this
    // program may write), else the errno. Nothing is created.
    static int CheckWritable(const std::string& path);

    // Starts the file's block (the header first); false with the reason in Error(). An existing
    // file gets the block appended, or with replace is replaced by it when complete.
    bool Open(const std::string& path, std::string_view header, bool replace = false);
    bool IsOpen() const { return m_bOpen; }
    void Append(std::string_view text);
    std::string& Text() { return m_text; }
    // For a new file: the whole chunks gathered in Text() go to the temporary file now and leave
    // the text. Nothing for an append. A failure shows at Commit.
    void WriteAhead();
    // Writes the block and closes; false with the error text when anything failed (nothing of
    // the block is then on disk).
    bool Commit();
    void Discard();
    const std::string& Path() const { return m_path; }
    const std::string& Error() const { return m_error; }
    // Bytes of the last commit (for the write speed).
    uint64_t BytesCommitted() const { return m_committed; }

    static constexpr size_t kChunk = 1 << 20;

  private:
    // The target exists and takes the block appended.
    bool IsAppend() const;
    // The new file's temporary file, opened on first use.
    kq::gfx::AtomicFile& NewFile();
    // The first bytes of the text into the new file; false after a failure.
    bool WriteToNewFile(size_t bytes);

    bool m_bOpen = false;
    bool m_bReplace = false;
    std::string m_path;
    std::string m_text;
    std::string m_error;
    uint64_t m_committed = 0;
    std::unique_ptr<kq::gfx::AtomicFile> m_pAhead;  // the new file written ahead
    bool m_bAppendChecked = false;                  // an append was found: nothing ahead
};
