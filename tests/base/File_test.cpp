#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/base/Archive.h"
#include "platform/base/MemFile.h"
#include "platform/base/StdioFile.h"

namespace {

namespace fs = std::filesystem;

class FileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kq-file-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    CString Path(const char* name) const { return (dir_ / name).string(); }
    void WriteRaw(const char* name, const std::string& bytes) const {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    std::string ReadRaw(const char* name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path dir_;
};

// The cause of the CFileException the call throws; -1 when it throws none.
template <class F>
int FileCause(F call) {
    try {
        call();
    } catch (CFileException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

TEST_F(FileTest, OpenFailuresReportTheirCause) {
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(Path("missing.bin"), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_lOsError, ENOENT);
    EXPECT_EQ(error.m_strFileName, Path("missing.bin"));
    EXPECT_FALSE(file.Open(Path("no/such/dir.bin"), CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);
    EXPECT_FALSE(file.Open(dir_.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
    EXPECT_EQ(FileCause([&] { CFile f(Path("missing.bin"), CFile::modeRead); }),
              CFileException::fileNotFound);
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
}

TEST_F(FileTest, WritingToAFullDiskThrowsDiskFull) {
    CFile full("/dev/full", CFile::modeWrite);
    const char data[16] = {};
    EXPECT_EQ(FileCause([&] { full.Write(data, sizeof data); }), CFileException::diskFull);

    // Buffered writers report it no later than when they are closed.
    CArchive ar(&full, CArchive::store);
    ar << 42;
    EXPECT_EQ(FileCause([&] { ar.Close(); }), CFileException::diskFull);
    CStdioFile text("/dev/full", CFile::modeWrite | CFile::typeText);
    text.WriteString("line\n");
    EXPECT_EQ(FileCause([&] { text.Close(); }), CFileException::diskFull);
}

TEST_F(FileTest, ReadWriteSeekAndLength) {
    CFile file(Path("data.bin"), CFile::modeCreate | CFile::modeReadWrite);
    file.Write("abcdef", 6);
    EXPECT_EQ(file.GetLength(), 6u);
    EXPECT_EQ(file.Seek(-2, CFile::end), 4u);
    char buf[8] = {};
    EXPECT_EQ(file.Read(buf, sizeof buf), 2u);
    EXPECT_STREQ(buf, "ef");
    EXPECT_EQ(file.Read(buf, sizeof buf), 0u);
    EXPECT_EQ(FileCause([&] { file.Seek(-10, CFile::begin); }), CFileException::badSeek);
    file.SetLength(3);
    EXPECT_EQ(file.SeekToEnd(), 3u);
    EXPECT_EQ(file.GetFileName(), "data.bin");
    EXPECT_EQ(file.GetFileTitle(), "data");
    file.Close();
    EXPECT_EQ(ReadRaw("data.bin"), "abc");

    CFile keep(Path("data.bin"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
    EXPECT_EQ(keep.GetLength(), 3u);
    keep.Close();
    CFile readOnly(Path("data.bin"), CFile::modeRead);
    EXPECT_EQ(FileCause([&] { readOnly.Write("x", 1); }), CFileException::accessDenied);
}

TEST_F(FileTest, SharingModesAreHonouredAmongOurOwnOpens) {
    WriteRaw("shared.txt", "keep");
    CFile first(Path("shared.txt"), CFile::modeRead | CFile::shareExclusive);
    CFile second;
    CFileException error;
    EXPECT_FALSE(second.Open(Path("shared.txt"),
                             CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    EXPECT_EQ(ReadRaw("shared.txt"), "keep");  // the refused open truncated nothing
    first.Close();
    EXPECT_TRUE(second.Open(Path("shared.txt"), CFile::modeRead | CFile::shareDenyWrite));
}

TEST_F(FileTest, StatusRenameAndRemove) {
    WriteRaw("a.txt", "12345");
    WriteRaw("b.txt", "x");
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(Path("a.txt"), status));
    EXPECT_EQ(status.m_size, 5u);
    EXPECT_EQ(status.m_attribute, CFile::normal);
    EXPECT_EQ(status.m_szFullName, Path("a.txt"));
    EXPECT_GT(status.m_mtime, 0);
    ASSERT_TRUE(CFile::GetStatus(dir_.c_str(), status));
    EXPECT_TRUE(status.m_attribute & CFile::directory);
    EXPECT_FALSE(CFile::GetStatus(Path("none"), status));

    EXPECT_EQ(FileCause([&] { CFile::Rename(Path("a.txt"), Path("b.txt")); }),
              CFileException::accessDenied);
    EXPECT_EQ(ReadRaw("b.txt"), "x");
    CFile::Rename(Path("a.txt"), Path("c.txt"));
    EXPECT_EQ(ReadRaw("c.txt"), "12345");
    CFile::Remove(Path("c.txt"));
    EXPECT_EQ(FileCause([&] { CFile::Remove(Path("c.txt")); }), CFileException::fileNotFound);
}

TEST_F(FileTest, StdioLinesEndInNewlineOrCrLf) {
    WriteRaw("lines.txt", "first\r\nsecond\n\nlone\rcr\nlast");
    CStdioFile file(Path("lines.txt"), CFile::modeRead | CFile::typeText);
    CString line;
    std::vector<std::string> lines;
    while (file.ReadString(line))
        lines.push_back(line.GetString());
    EXPECT_EQ(lines, (std::vector<std::string>{"first", "second", "", "lone\rcr", "last"}));

    file.SeekToBegin();
    char buf[5];
    EXPECT_STREQ(file.ReadString(buf, sizeof buf), "firs");
    EXPECT_STREQ(file.ReadString(buf, sizeof buf), "t\n");  // "\r\n" comes out as "\n"
    EXPECT_EQ(file.GetPosition(), 7u);
    file.Seek(-4, CFile::end);
    EXPECT_STREQ(file.ReadString(buf, sizeof buf), "last");
    EXPECT_EQ(file.ReadString(buf, sizeof buf), nullptr);
}

TEST_F(FileTest, StdioWritesBytesAsGivenAndMixesWithReading) {
    {
        CStdioFile file(Path("out.txt"), CFile::modeCreate | CFile::modeReadWrite);
        file.WriteString("a\n");
        file.WriteString("b\r\n");
        EXPECT_EQ(file.GetLength(), 5u);
        file.SeekToBegin();
        CString line;
        EXPECT_TRUE(file.ReadString(line));
        EXPECT_EQ(line, "a");
        file.WriteString("X");  // goes where reading stopped
        file.Close();
    }
    EXPECT_EQ(ReadRaw("out.txt"), "a\nX\r\n");
    {
        CStdioFile file(Path("out.txt"),
                        CFile::modeWrite | CFile::modeNoTruncate | CFile::modeCreate);
        file.SeekToEnd();
        file.WriteString("end");
    }  // closed, and written, by the destructor
    EXPECT_EQ(ReadRaw("out.txt"), "a\nX\r\nend");
}

TEST(MemFile, GrowsOrStaysInTheCallersBuffer) {
    CMemFile grown(4);
    grown.Seek(6, CFile::begin);
    grown.Write("xy", 2);  // the gap before is zero
    EXPECT_EQ(grown.GetLength(), 8u);
    BYTE bytes[8];
    grown.SeekToBegin();
    EXPECT_EQ(grown.Read(bytes, 8), 8u);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[7], 'y');

    BYTE fixed[4] = {'a', 'b', 'c', 'd'};
    CMemFile inPlace(fixed, sizeof fixed);
    EXPECT_EQ(inPlace.GetLength(), 4u);
    inPlace.Write("Z", 1);
    EXPECT_EQ(fixed[0], 'Z');
    bool refused = false;
    try {
        inPlace.Write("12345", 5);
    } catch (CMemoryException* e) {
        e->Delete();
        refused = true;
    }
    EXPECT_TRUE(refused);
    EXPECT_EQ(inPlace.GetLength(), 4u);
    EXPECT_EQ(FileCause([&] { inPlace.Seek(-5, CFile::end); }), CFileException::badSeek);
}

}  // namespace
