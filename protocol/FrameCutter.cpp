#include "protocol/FrameCutter.h"

namespace tarvik {
namespace {

const uint8_t* Bytes(std::string_view s) {
    return reinterpret_cast<const uint8_t*>(s.data());
}

bool PlausibleLength(uint8_t length) {
    return length >= kMinLength && length <= kMaxLength;
}

bool ChecksMatch(std::string_view bytes, size_t pos, size_t length) {
    const uint8_t* p = Bytes(bytes) + pos;
    const CheckBytes check = ComputeCheckBytes(p + 1, length + 3);
    return p[4 + length] == check.first && p[5 + length] == check.second;
}

// A start byte whose frame is still incomplete may be garbage that happens to look like a
// header. When a complete, correct frame already follows it, waiting would only hold that frame
// back, so the start byte is given up.
bool CompleteFrameFollows(std::string_view bytes, size_t pos) {
    for (size_t q = bytes.find(static_cast<char>(kStx), pos + 1); q != std::string_view::npos;
         q = bytes.find(static_cast<char>(kStx), q + 1)) {
        if (IsCompleteFrameAt(bytes, q)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsCompleteFrameAt(std::string_view bytes, size_t pos) {
    if (pos >= bytes.size() || bytes.size() - pos < static_cast<size_t>(kHeaderSize) ||
        Bytes(bytes)[pos] != kStx) {
        return false;
    }
    const uint8_t length = Bytes(bytes)[pos + 3];
    if (!PlausibleLength(length) || bytes.size() - pos < length + size_t(kFrameOverhead)) {
        return false;
    }
    return ChecksMatch(bytes, pos, length);
}

FrameCutter::Result FrameCutter::Next(std::string_view bytes, size_t& pos, Frame& frame) {
    while (pos < bytes.size()) {
        const size_t start = bytes.find(static_cast<char>(kStx), pos);
        if (start == std::string_view::npos) {
            m_stats.droppedBytes += bytes.size() - pos;
            pos = bytes.size();
            break;
        }
        m_stats.droppedBytes += start - pos;
        pos = start;
        if (bytes.size() - pos < static_cast<size_t>(kHeaderSize)) {
            return Result::NeedMore;
        }
        const uint8_t* p = Bytes(bytes) + pos;
        const uint8_t length = p[3];
        if (!PlausibleLength(length)) {
            ++m_stats.lengthErrors;
            ++m_stats.droppedBytes;
            ++pos;
            continue;
        }
        const size_t total = length + size_t(kFrameOverhead);
        if (bytes.size() - pos < total) {
            if (CompleteFrameFollows(bytes, pos)) {
                ++m_stats.droppedBytes;
                ++pos;
                continue;
            }
            return Result::NeedMore;
        }
        if (!ChecksMatch(bytes, pos, length)) {
            ++m_stats.checkErrors;
            ++m_stats.droppedBytes;
            ++pos;
            continue;
        }
        frame.address1 = p[1];
        frame.address2 = p[2];
        frame.code = p[4];
        frame.SetData(std::string_view(reinterpret_cast<const char*>(p + 5), length - 1u));
        pos += total;
        ++m_stats.frames;
        return Result::Frame;
    }
    return Result::NeedMore;
}

bool FrameCutter::CutFrame(CString& buffer, Frame& frame) {
    size_t pos = 0;
    const Result result = Next(buffer.View(), pos, frame);
    if (pos > 0) {
        buffer.Str().erase(0, pos);
    }
    return result == Result::Frame;
}

}  // namespace tarvik
