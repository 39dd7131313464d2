// Received bytes of any kind through the frame cutter and every reply parser, the way the
// sensor dialogue meets them. The first byte chooses the size of the chunks the bytes arrive in.
#include <cstdint>
#include <cstring>
#include <string>

#include "protocol/FrameCutter.h"
#include "protocol/Messages.h"
#include "sensor/CTarvik_Send.h"
#include "sensor/SensorRecord.h"

using namespace tarvik;

namespace {

void Require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

template <typename Message>
void TryParse(const Frame& frame) {
    Message message;
    if (ParseMessage(frame, message)) {
        // What parsed must build again to the same frame.
        const CString again = BuildMessage(frame.address1, frame.address2, message);
        Require(again.IsEmpty() || again == BuildFrame(frame));
    }
}

void Dispatch(const Frame& frame, CTarvik_Send& codec, SensorRecord& record) {
    TryParse<AckReply>(frame);
    TryParse<NakReply>(frame);
    TryParse<IdentificationReply>(frame);
    TryParse<ValueSetReply>(frame);
    TryParse<StatusLongReply>(frame);
    TryParse<BlockContentReply>(frame);
    TryParse<WriteBlockRequest>(frame);
    TryParse<StartMeasureRequest>(frame);

    IdentificationReply id;
    if (ParseMessage(frame, id)) {
        SensorRecord_TakeOverIdentification(record, id);
    }
    StatusLongReply status;
    if (ParseMessage(frame, status)) {
        SensorRecord_TakeOverStatusLong(record, status);
        CTarvik_Send::TarSend_GetVersionText(status.firmwareVersion);
    }
    BlockContentReply content;
    if (ParseMessage(frame, content)) {
        const int index = BlockIndexFromNumber(content.number);
        if (codec.TarSend_ReadBlockGetContent(frame, index, record)) {
            Require(record.aBlock[index] == content.image);
            // Whatever was read can be written back or is refused, never wrapped.
            SensorRecord copy = record;
            SensorRecord_StoreFieldsInBlock(copy, index);
            CTarvik_Send::TarSend_GetRangeText(record, 0);
            CTarvik_Send::TarSend_GetStatorTypeName(record.ucStatorId, 0, record.ucDeviceKind,
                                                    record.ucDigitalInputKind, 1000);
            CTarvik_Send::TarSend_GetAccuracyClass(record.ucAccuracyClass[1]);
            Require(std::strlen(record.szSerialText[0]) <= 6);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const size_t chunk = 1 + data[0] % 64;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    FrameCutter cutter;
    CTarvik_Send codec;
    SensorRecord record;
    SensorRecord_Reset(record);
    CString buffer;
    Frame frame;
    size_t frames = 0;
    for (size_t at = 0; at < bytes.size(); at += chunk) {
        buffer += CString(std::string_view(bytes).substr(at, chunk));
        while (cutter.CutFrame(buffer, frame)) {
            ++frames;
            Dispatch(frame, codec, record);
        }
        // What stays behind is at most one incomplete frame.
        Require(buffer.GetLength() < kMaxFrameSize);
    }
    Require(cutter.Stats().frames == frames);

    // The same bytes cut in one go give the same frames.
    FrameCutter whole;
    size_t pos = 0;
    size_t again = 0;
    while (whole.Next(bytes, pos, frame) == FrameCutter::Result::Frame) {
        ++again;
    }
    Require(pos <= bytes.size());
    (void)again;
    return 0;
}
