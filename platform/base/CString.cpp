#include "platform/base/CString.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/base/Resource.h"

namespace {

const char* kWhitespace = " \t\r\n\v\f";

int Clamp(int v, int lo, int hi) {
    return std::max(lo, std::min(v, hi));
}

char FoldCase(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

CString::CString(const char* s, int length) {
    if (s && length > 0)
        str_.assign(s, static_cast<size_t>(length));
}

CString::CString(char ch, int repeat) {
    if (repeat > 0)
        str_.assign(static_cast<size_t>(repeat), ch);
}

CString& CString::operator=(const char* s) {
    str_ = s ? s : "";
    return *this;
}

CString& CString::operator=(const std::string& s) {
    str_ = s;
    return *this;
}

char CString::GetAt(int index) const {
    if (index < 0 || index >= GetLength())
        return '\0';
    return str_[static_cast<size_t>(index)];
}

void CString::SetAt(int index, char ch) {
    if (index >= 0 && index < GetLength())
        str_[static_cast<size_t>(index)] = ch;
}

CString& CString::operator+=(const CString& s) {
    str_ += s.str_;
    return *this;
}

CString& CString::operator+=(const char* s) {
    if (s)
        str_ += s;
    return *this;
}

CString& CString::operator+=(char ch) {
    str_.push_back(ch);
    return *this;
}

void CString::Append(const char* s, int length) {
    if (s && length > 0)
        str_.append(s, static_cast<size_t>(length));
}

int CString::Compare(const char* s) const {
    const std::string_view other = s ? std::string_view(s) : std::string_view();
    const int r = std::string_view(str_).compare(other);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* s) const {
    const std::string_view other = s ? std::string_view(s) : std::string_view();
    const size_t n = std::min(str_.size(), other.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char a = static_cast<unsigned char>(FoldCase(str_[i]));
        const unsigned char b = static_cast<unsigned char>(FoldCase(other[i]));
        if (a != b)
            return a < b ? -1 : 1;
    }
    if (str_.size() == other.size())
        return 0;
    return str_.size() < other.size() ? -1 : 1;
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    first = Clamp(first, 0, GetLength());
    count = Clamp(count, 0, GetLength() - first);
    return CString(str_.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int count) const {
    return Mid(0, count);
}

CString CString::Right(int count) const {
    count = Clamp(count, 0, GetLength());
    return Mid(GetLength() - count, count);
}

CString CString::SpanIncluding(const char* set) const {
    if (!set)
        return CString();
    const size_t n = str_.find_first_not_of(set);
    return CString(str_.substr(0, n));
}

CString CString::SpanExcluding(const char* set) const {
    if (!set)
        return *this;
    const size_t n = str_.find_first_of(set);
    return CString(str_.substr(0, n));
}

CString CString::Tokenize(const char* delimiters, int& start) const {
    if (start < 0 || start >= GetLength()) {
        start = -1;
        return CString();
    }
    const std::string_view set = delimiters ? delimiters : "";
    size_t from = str_.find_first_not_of(set, static_cast<size_t>(start));
    if (from == std::string::npos) {
        start = -1;
        return CString();
    }
    size_t to = str_.find_first_of(set, from);
    if (to == std::string::npos)
        to = str_.size();
    start = static_cast<int>(std::min(to + 1, str_.size() + 1));
    return CString(str_.substr(from, to - from));
}

int CString::Find(char ch, int start) const {
    if (start < 0 || start >= GetLength())
        return -1;
    const size_t p = str_.find(ch, static_cast<size_t>(start));
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::Find(const char* sub, int start) const {
    if (!sub || start < 0 || start > GetLength())
        return -1;
    const size_t p = str_.find(sub, static_cast<size_t>(start));
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::ReverseFind(char ch) const {
    const size_t p = str_.rfind(ch);
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::FindOneOf(const char* set) const {
    if (!set)
        return -1;
    const size_t p = str_.find_first_of(set);
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::Replace(char from, char to) {
    int count = 0;
    for (auto& c : str_) {
        if (c == from) {
            c = to;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* from, const char* to) {
    if (!from || !*from)
        return 0;
    const std::string_view f(from);
    const std::string_view t = to ? std::string_view(to) : std::string_view();
    int count = 0;
    std::string result;
    size_t pos = 0;
    for (;;) {
        const size_t hit = str_.find(f, pos);
        if (hit == std::string::npos)
            break;
        result.append(str_, pos, hit - pos);
        result.append(t);
        pos = hit + f.size();
        ++count;
    }
    if (count > 0) {
        result.append(str_, pos, std::string::npos);
        str_ = std::move(result);
    }
    return count;
}

int CString::Remove(char ch) {
    const auto old = str_.size();
    str_.erase(std::remove(str_.begin(), str_.end(), ch), str_.end());
    return static_cast<int>(old - str_.size());
}

int CString::Delete(int index, int count) {
    if (index >= 0 && index < GetLength() && count > 0) {
        str_.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    }
    return GetLength();
}

CString& CString::MakeUpper() {
    for (auto& c : str_)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return *this;
}

CString& CString::MakeLower() {
    for (auto& c : str_)
        c = FoldCase(c);
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}
CString& CString::Trim(char ch) {
    return TrimRight(ch).TrimLeft(ch);
}
CString& CString::TrimLeft() {
    return TrimLeft(kWhitespace);
}
CString& CString::TrimRight() {
    return TrimRight(kWhitespace);
}

CString& CString::TrimLeft(char ch) {
    const char set[2] = {ch, 0};
    if (ch == '\0') {
        const size_t n = str_.find_first_not_of('\0');
        str_.erase(0, n);
        return *this;
    }
    return TrimLeft(set);
}

CString& CString::TrimRight(char ch) {
    if (ch == '\0') {
        const size_t n = str_.find_last_not_of('\0');
        str_.erase(n == std::string::npos ? 0 : n + 1);
        return *this;
    }
    const char set[2] = {ch, 0};
    return TrimRight(set);
}

CString& CString::TrimLeft(const char* set) {
    if (!set)
        return *this;
    const size_t n = str_.find_first_not_of(set);
    str_.erase(0, n);
    return *this;
}

CString& CString::TrimRight(const char* set) {
    if (!set)
        return *this;
    const size_t n = str_.find_last_not_of(set);
    str_.erase(n == std::string::npos ? 0 : n + 1);
    return *this;
}

void CString::Truncate(int length) {
    if (length >= 0 && length < GetLength())
        str_.resize(static_cast<size_t>(length));
}

char* CString::GetBuffer(int minLength) {
    if (minLength > GetLength())
        str_.resize(static_cast<size_t>(minLength));
    return str_.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        str_.resize(std::strlen(str_.c_str()));
    } else if (static_cast<size_t>(newLength) <= str_.size()) {
        str_.resize(static_cast<size_t>(newLength));
    }
}

BOOL CString::LoadString(UINT id) {
    std::string text;
    if (!kq::LoadStringResource(id, text)) {
        str_.clear();
        return FALSE;
    }
    str_ = std::move(text);
    return TRUE;
}

CString operator+(const CString& a, const CString& b) {
    return CString(a.str_ + b.str_);
}

CString operator+(const CString& a, const char* b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const char* a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}
