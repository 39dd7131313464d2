#include "protocol/FrameCutter.h"

#include <gtest/gtest.h>

#include "FrameTestHelpers.h"
#include "protocol/Messages.h"

using namespace tarvik;
using sensortest::Bytes;
using sensortest::CutAll;
using sensortest::ValueFrame;

namespace {

// A mix of every frame size the protocol uses, down to the shortest and up to the longest.
std::vector<std::string> SampleFrames() {
    BlockContentReply block;
    block.number = 130;
    block.image.bytes[0] = 130;
    block.image.bytes[5] = kStx;  // start bytes inside data must not confuse the cutter
    block.image.bytes[9] = 0;
    return {ValueFrame(7, -1, 0x02020202), BuildMessage(1, 0, AckReply()).Str(),
            BuildMessage(1, 0xFF, block).Str(),
            BuildFrame(0xFF, 0xFF, 'Z', std::string(kMaxData, '\x02')).Str(),
            BuildMessage(0xFF, 0xFF, IdentificationRequest()).Str()};
}

}  // namespace

TEST(FrameCutter, EveryFrameSplitAtEveryByteIsFoundOnceWhole) {
    for (const std::string& bytes : SampleFrames()) {
        for (size_t split = 0; split <= bytes.size(); ++split) {
            FrameCutter cutter;
            CString buffer(bytes.substr(0, split));
            Frame frame;
            const bool early = cutter.CutFrame(buffer, frame);
            EXPECT_EQ(early, split == bytes.size()) << "split " << split;
            if (!early) {
                buffer += CString(bytes.substr(split));
                ASSERT_TRUE(cutter.CutFrame(buffer, frame)) << "split " << split;
            }
            EXPECT_EQ(BuildFrame(frame).Str(), bytes);
            EXPECT_TRUE(buffer.IsEmpty());
            EXPECT_EQ(cutter.Stats().droppedBytes, 0u);
        }
    }
}

TEST(FrameCutter, ByteByByteArrivalOfAStreamYieldsEveryFrame) {
    std::string stream;
    for (const std::string& f : SampleFrames()) {
        stream += f;
    }
    FrameCutter cutter;
    CString buffer;
    Frame frame;
    int found = 0;
    for (char c : stream) {
        buffer += c;
        while (cutter.CutFrame(buffer, frame)) {
            ++found;
        }
    }
    EXPECT_EQ(found, 5);
    EXPECT_EQ(cutter.Stats().frames, 5u);
    EXPECT_TRUE(buffer.IsEmpty());
}

TEST(FrameCutter, GarbageBeforeBetweenAndAfterFramesIsDroppedAndCounted) {
    const std::string a = ValueFrame(1, 10, 20);
    const std::string b = ValueFrame(2, 30, 40);
    const std::string garbage = Bytes({0x00, 0xFF, 0x55, 'x'});
    FrameCutter cutter;
    const auto frames = CutAll(garbage + a + garbage + b + garbage, cutter);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].data[0], 1);
    EXPECT_EQ(frames[1].data[0], 2);
    EXPECT_EQ(cutter.Stats().droppedBytes, 3 * garbage.size());
}

TEST(FrameCutter, GarbageInsideAFrameCostsThatFrameOnly) {
    const std::string a = ValueFrame(1, 10, 20);
    const std::string b = ValueFrame(2, 30, 40);
    for (size_t at = 1; at < a.size(); ++at) {
        std::string broken = a;
        broken.insert(at, "\x55");
        FrameCutter cutter;
        const auto frames = CutAll(broken + b, cutter);
        ASSERT_EQ(frames.size(), 1u) << "at " << at;
        EXPECT_EQ(frames[0].data[0], 2) << "at " << at;
    }
}

TEST(FrameCutter, WrongCheckByteIsCountedAndTheNextFrameStillComes) {
    std::string bad = ValueFrame(1, 10, 20);
    bad.back() = static_cast<char>(bad.back() ^ 0x01);
    const std::string good = ValueFrame(2, 30, 40);
    FrameCutter cutter;
    const auto frames = CutAll(bad + good, cutter);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].data[0], 2);
    EXPECT_EQ(cutter.Stats().checkErrors, 1u);

    // The same with the first check byte, and with a changed data byte.
    std::string badFirst = ValueFrame(1, 10, 20);
    badFirst[badFirst.size() - 2] ^= 0x10;
    std::string badData = ValueFrame(1, 10, 20);
    badData[7] ^= 0x01;
    FrameCutter second;
    EXPECT_EQ(CutAll(badFirst + badData + good, second).size(), 1u);
    EXPECT_EQ(second.Stats().checkErrors, 2u);
}

TEST(FrameCutter, LengthsZeroAndAboveTheMaximumAreSkipped) {
    const std::string good = ValueFrame(3, 1, 2);
    for (int length : {0, kMaxLength + 1, 255}) {
        FrameCutter cutter;
        const std::string header = Bytes({kStx, 1, 0xFF, length, 'A'});
        const auto frames = CutAll(header + good, cutter);
        ASSERT_EQ(frames.size(), 1u) << length;
        EXPECT_EQ(frames[0].data[0], 3);
        EXPECT_EQ(cutter.Stats().lengthErrors, 1u);
    }
    // The largest legal length is a frame like any other.
    FrameCutter cutter;
    EXPECT_EQ(CutAll(BuildFrame(1, 2, 'Z', std::string(kMaxData, 'a')).Str(), cutter).size(), 1u);
}

TEST(FrameCutter, AStrayHeaderDoesNotHoldBackACompleteFrameBehindIt) {
    // A start byte with a long length would make the cutter wait for 206 bytes; the complete
    // frame behind it must come out at once instead.
    const std::string stray = Bytes({kStx, 1, 0xFF, 200});
    const std::string good = ValueFrame(9, 5, 6);
    FrameCutter cutter;
    CString buffer(stray + good);
    Frame frame;
    ASSERT_TRUE(cutter.CutFrame(buffer, frame));
    EXPECT_EQ(frame.data[0], 9);
    EXPECT_TRUE(buffer.IsEmpty());
}

TEST(FrameCutter, IncompleteFrameStaysInTheBufferAndGarbageBeforeItGoes) {
    const std::string good = ValueFrame(4, 1, 2);
    FrameCutter cutter;
    CString buffer("junk" + good.substr(0, 5));
    Frame frame;
    EXPECT_FALSE(cutter.CutFrame(buffer, frame));
    EXPECT_EQ(buffer.Str(), good.substr(0, 5));
    buffer += CString(good.substr(5));
    EXPECT_TRUE(cutter.CutFrame(buffer, frame));
    EXPECT_EQ(frame.code, kReplyValues);
}

TEST(FrameCutter, OffsetFormLeavesTheBytesAlone) {
    const std::string stream = ValueFrame(1, 0, 0) + "xx" + ValueFrame(2, 0, 0) + "\x02\x01";
    FrameCutter cutter;
    size_t pos = 0;
    Frame frame;
    EXPECT_EQ(cutter.Next(stream, pos, frame), FrameCutter::Result::Frame);
    EXPECT_EQ(cutter.Next(stream, pos, frame), FrameCutter::Result::Frame);
    EXPECT_EQ(frame.data[0], 2);
    EXPECT_EQ(cutter.Next(stream, pos, frame), FrameCutter::Result::NeedMore);
    EXPECT_EQ(pos, stream.size() - 2);
}
