// The framework's 8-bit string. Holds UTF-8 text or raw bytes (sensor frames travel in it), so it
// may contain 0x00; its length is explicit, never found by scanning for a terminator.
#pragma once

#include <compare>
#include <string>
#include <string_view>

#include "platform/base/StringFormat.h"
#include "platform/base/WinTypes.h"

class CString {
  public:
    CString() = default;
    CString(const char* s) : str_(s ? s : "") {}
    CString(const char* s, int length);
    CString(const unsigned char* s) : CString(reinterpret_cast<const char*>(s)) {}
    CString(char ch, int repeat = 1);
    CString(std::string s) : str_(std::move(s)) {}
    CString(std::string_view s) : str_(s) {}
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* s);
    CString& operator=(const std::string& s);

    // Access.
    int GetLength() const { return static_cast<int>(str_.size()); }
    bool IsEmpty() const { return str_.empty(); }
    void Empty() { str_.clear(); }
    char GetAt(int index) const;
    void SetAt(int index, char ch);
    char operator[](int index) const { return GetAt(index); }
    operator const char*() const { return str_.c_str(); }
    const char* GetString() const { return str_.c_str(); }
    const std::string& Str() const { return str_; }
    std::string& Str() { return str_; }
    std::string_view View() const { return str_; }

    // Concatenation.
    CString& operator+=(const CString& s);
    CString& operator+=(const char* s);
    CString& operator+=(char ch);
    CString& operator+=(unsigned char ch) { return *this += static_cast<char>(ch); }
    void Append(const char* s, int length);
    void AppendChar(char ch) { str_.push_back(ch); }

    // Comparison (byte-wise; NoCase folds ASCII letters).
    int Compare(const char* s) const;
    int CompareNoCase(const char* s) const;
    int Collate(const char* s) const { return Compare(s); }
    int CollateNoCase(const char* s) const { return CompareNoCase(s); }

    // Extraction. Out-of-range arguments are clamped, never undefined.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* set) const;
    CString SpanExcluding(const char* set) const;
    CString Tokenize(const char* delimiters, int& start) const;

    // Searching: -1 when not found.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* set) const;

    // Modification.
    int Replace(char from, char to);
    int Replace(const char* from, const char* to);
    int Remove(char ch);
    int Delete(int index, int count = 1);
    CString& MakeUpper();
    CString& MakeLower();
    CString& Trim();
    CString& Trim(char ch);
    CString& TrimLeft();
    CString& TrimLeft(char ch);
    CString& TrimLeft(const char* set);
    CString& TrimRight();
    CString& TrimRight(char ch);
    CString& TrimRight(const char* set);
    void Truncate(int length);

    // Formatting with typed arguments (see StringFormat.h): never reads past its arguments.
    template <typename... Args>
    void Format(const char* format, const Args&... args) {
        str_.clear();
        AppendFormat(format, args...);
    }
    template <typename... Args>
    void AppendFormat(const char* format, const Args&... args) {
        if constexpr (sizeof...(Args) == 0) {
            kq::FormatInto(str_, format ? format : "", nullptr, 0);
        } else {
            const kq::FormatArg list[] = {ToArg(args)...};
            kq::FormatInto(str_, format ? format : "", list, sizeof...(Args));
        }
    }
    template <typename... Args>
    void Format(UINT formatId, const Args&... args) {
        CString format;
        format.LoadString(formatId);
        Format(format.GetString(), args...);
    }

    // Direct buffer access: GetBuffer gives at least minLength writable bytes; ReleaseBuffer sets
    // the length (-1: up to the first 0x00).
    char* GetBuffer(int minLength = 0);
    void ReleaseBuffer(int newLength = -1);
    void ReleaseBufferSetLength(int newLength) { ReleaseBuffer(newLength); }
    void Preallocate(int length) { str_.reserve(length > 0 ? static_cast<size_t>(length) : 0); }

    // Loads the string resource of the id; false (and empty) when there is none.
    BOOL LoadString(UINT id);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);

    friend bool operator==(const CString& a, const CString& b) { return a.str_ == b.str_; }
    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
    friend bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.str_ < b.str_; }
    friend bool operator<(const CString& a, const char* b) { return a.Compare(b) < 0; }
    friend bool operator>(const CString& a, const CString& b) { return a.str_ > b.str_; }
    friend bool operator>(const CString& a, const char* b) { return a.Compare(b) > 0; }
    friend bool operator<=(const CString& a, const CString& b) { return a.str_ <= b.str_; }
    friend bool operator>=(const CString& a, const CString& b) { return a.str_ >= b.str_; }

  private:
    template <typename T>
    static kq::FormatArg ToArg(const T& v) {
        if constexpr (std::is_same_v<T, CString>) {
            return kq::FormatArg(v.View());
        } else {
            return kq::FormatArg(v);
        }
    }

    std::string str_;
};

using CStringA = CString;

namespace std {
template <>
struct hash<CString> {
    size_t operator()(const CString& s) const noexcept { return hash<std::string>()(s.Str()); }
};
}  // namespace std
