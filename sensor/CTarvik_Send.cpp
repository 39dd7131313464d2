#include "sensor/CTarvik_Send.h"

#include "protocol/Messages.h"
#include "sensor/SensorRecord.h"

using namespace tarvik;

CTarvik_Send::CTarvik_Send() {
    TarSend_ClearBlockRecords();
}

CTarvik_Send::~CTarvik_Send() = default;

void CTarvik_Send::TarSend_SetAddress(BYTE first, BYTE second) {
    m_ucAddress1 = first;
    m_ucAddress2 = second;
}

CString CTarvik_Send::TarSend_RequestIdentification() const {
    return BuildMessage(kAnyAddress, kAnyIndex, IdentificationRequest());
}

CString CTarvik_Send::TarSend_RequestValues(int mode) const {
    ValuesRequest request;
    request.mode = mode;
    return BuildMessage(m_ucAddress1, m_ucAddress2, request);
}

CString CTarvik_Send::TarSend_RequestStatusLong() const {
    return BuildMessage(m_ucAddress1, m_ucAddress2, StatusLongRequest());
}

CString CTarvik_Send::TarSend_RequestStartMeasure(int rateIndex, int mode) const {
    StartMeasureRequest request;
    request.rateIndex = rateIndex;
    request.mode = mode;
    return BuildMessage(m_ucAddress1, m_ucAddress2, request);
}

CString CTarvik_Send::TarSend_RequestStopMeasure() const {
    return BuildMessage(m_ucAddress1, m_ucAddress2, StopMeasureRequest());
}

CString CTarvik_Send::TarSend_RequestReadBlock(int blockIndex) const {
    ReadBlockRequest request;
    request.number = BlockNumberFromIndex(blockIndex);
    return BuildMessage(m_ucAddress1, m_ucAddress2, request);
}

CString CTarvik_Send::TarSend_RequestWriteBlock(int blockIndex, const BlockImage& image) {
    WriteBlockRequest request;
    request.number = BlockNumberFromIndex(blockIndex);
    request.image = image;
    CString frame = BuildMessage(m_ucAddress1, m_ucAddress2, request);
    if (!frame.IsEmpty()) {
        m_blocks[blockIndex].strLastWritten = CString(image.View());
    }
    return frame;
}

CString CTarvik_Send::TarSend_RequestControl(bool on) const {
    ControlRequest request;
    request.on = on ? 1 : 0;
    return BuildMessage(m_ucAddress1, m_ucAddress2, request);
}

CString CTarvik_Send::TarSend_RequestRole(int role) const {
    RoleRequest request;
    request.role = role;
    return BuildMessage(m_ucAddress1, m_ucAddress2, request);
}

CString CTarvik_Send::TarSend_RequestRestart() const {
    return BuildMessage(m_ucAddress1, m_ucAddress2, RestartRequest());
}

CString CTarvik_Send::TarSend_RequestLinkTest() const {
    return BuildMessage(m_ucAddress1, m_ucAddress2, LinkTestRequest());
}

CString CTarvik_Send::TarSend_RequestRepeat() const {
    return BuildMessage(m_ucAddress1, m_ucAddress2, RepeatRequest());
}

bool CTarvik_Send::TarSend_ReadBlockGetContent(const Frame& reply, int blockIndex,
                                               SensorRecord& record) {
    BlockContentReply content;
    if (BlockNumberFromIndex(blockIndex) < 0 || !ParseMessage(reply, content) ||
        content.number != BlockNumberFromIndex(blockIndex) ||
        !SensorRecord_TakeOverBlock(record, blockIndex, content.image)) {
        return false;
    }
    m_blocks[blockIndex].strLastRead = CString(content.image.View());
    return true;
}

const CMemoryBlockRecord& CTarvik_Send::TarSend_GetBlockRecord(int blockIndex) const {
    static const CMemoryBlockRecord kNone;
    return blockIndex >= 0 && blockIndex < kBlockCount ? m_blocks[blockIndex] : kNone;
}

void CTarvik_Send::TarSend_ClearBlockRecords() {
    for (int i = 0; i < kBlockCount; ++i) {
        m_blocks[i].pszName = BlockName(i);
        m_blocks[i].iNumber = BlockNumberFromIndex(i);
        m_blocks[i].strLastRead.Empty();
        m_blocks[i].strLastWritten.Empty();
    }
}
