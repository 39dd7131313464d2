// Cuts frames out of received bytes. Bytes before a start byte are dropped; a start byte with an
// impossible length or with wrong check bytes is dropped and the search goes on from the next
// byte, so the cutter finds its way back into the stream after garbage, lost bytes or a frame
// that arrived in parts.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/base/CString.h"
#include "protocol/Frame.h"

namespace tarvik {

struct CutStats {
    uint64_t frames = 0;
    uint64_t checkErrors = 0;   // complete frames whose check bytes did not match
    uint64_t lengthErrors = 0;  // start bytes followed by a length of 0 or above the maximum
    uint64_t droppedBytes = 0;  // every byte that did not end up in a frame
};

class FrameCutter {
  public:
    enum class Result { Frame, NeedMore };

    // Looks for the next frame in bytes from pos on. Frame: the frame is filled and pos stands
    // behind it. NeedMore: pos stands on the start of an incomplete frame (or at the end); the
    // bytes before it are garbage that the caller may discard.
    Result Next(std::string_view bytes, size_t& pos, Frame& frame);

    // The receive-buffer form: cuts the next frame out of buffer and removes every byte up to
    // its end. False when no complete frame is there yet (garbage before a partial frame is
    // removed all the same).
    bool CutFrame(CString& buffer, Frame& frame);

    const CutStats& Stats() const { return m_stats; }
    void ResetStats() { m_stats = CutStats(); }

  private:
    CutStats m_stats;
};

// True when a complete frame with correct check bytes starts at pos.
bool IsCompleteFrameAt(std::string_view bytes, size_t pos);

}  // namespace tarvik
