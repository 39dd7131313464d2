// A column of texts kept as one run of characters and the end of each text in it: reading a
// large file costs two growing buffers per column rather than one heap block per field.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CCsvTextColumn {
  public:
    CCsvTextColumn() = default;
    explicit CCsvTextColumn(const std::vector<std::string>& texts) { Append(texts); }

    size_t size() const { return m_Ends.size(); }
    bool empty() const { return m_Ends.empty(); }
    // Every text one after another.
    std::string_view Chars() const { return m_Chars; }
    std::string_view operator[](size_t row) const {
        const size_t begin = row == 0 ? 0 : m_Ends[row - 1];
        return std::string_view(m_Chars).substr(begin, m_Ends[row] - begin);
    }

    void Reserve(size_t rows, size_t chars) {
        m_Ends.reserve(rows);
        m_Chars.reserve(chars);
    }
    void PushBack(std::string_view text) {
        m_Chars.append(text);
        m_Ends.push_back(m_Chars.size());
    }
    void PushEmpty(size_t count) { m_Ends.insert(m_Ends.end(), count, m_Chars.size()); }
    void Append(const std::vector<std::string>& texts) {
        for (const std::string& text : texts)
            PushBack(text);
    }
    // Replaces one text; the later texts move by the difference in length.
    void Set(size_t row, std::string_view text) {
        const size_t begin = row == 0 ? 0 : m_Ends[row - 1];
        const size_t old = m_Ends[row] - begin;
        m_Chars.replace(begin, old, text);
        for (size_t r = row; r < m_Ends.size(); ++r)
            m_Ends[r] = m_Ends[r] - old + text.size();
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        texts.reserve(size());
        for (size_t r = 0; r < size(); ++r)
            texts.emplace_back((*this)[r]);
        return texts;
    }

  private:
    std::string m_Chars;
    std::vector<size_t> m_Ends;
};
