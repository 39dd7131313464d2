// The protocol codec: builds the requests of the sensor dialogue with the two address bytes,
// takes block contents out of replies while keeping what was last read and written per block,
// and turns the sensor's codes into texts. Base of the sensor dialogue and of the value
// formatter; the formatter only constructs and destroys it.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"
#include "protocol/BlockImage.h"
#include "protocol/Frame.h"
#include "protocol/Protocol.h"

struct SensorRecord;

// What the codec remembers of one memory block (dumped by the per-sensor log).
struct CMemoryBlockRecord {
    const char* pszName = "";
    int iNumber = 0;
    CString strLastRead;     // the 64 bytes last read; empty when none
    CString strLastWritten;  // the 64 bytes last written; empty when none
};

class CTarvik_Send {
  public:
    CTarvik_Send();
    virtual ~CTarvik_Send();

    // The two address bytes of the requests that follow: bus address and sensor index.
    void TarSend_SetAddress(BYTE first, BYTE second);
    BYTE TarSend_GetAddressFirst() const { return m_ucAddress1; }
    BYTE TarSend_GetAddressSecond() const { return m_ucAddress2; }

    // Requests. Each returns the frame's bytes, or an empty string when a value lies outside
    // what the protocol allows (nothing is sent then). The identification always goes to any
    // sensor (0xFF, 0xFF); everything else goes to the current address.
    CString TarSend_RequestIdentification() const;
    CString TarSend_RequestValues(int mode) const;
    CString TarSend_RequestStatusLong() const;
    CString TarSend_RequestStartMeasure(int rateIndex, int mode) const;
    CString TarSend_RequestStopMeasure() const;
    CString TarSend_RequestReadBlock(int blockIndex) const;
    // Remembers the image as the block's last written content.
    CString TarSend_RequestWriteBlock(int blockIndex, const tarvik::BlockImage& image);
    CString TarSend_RequestControl(bool on) const;
    CString TarSend_RequestRole(int role) const;
    CString TarSend_RequestRestart() const;
    CString TarSend_RequestLinkTest() const;
    CString TarSend_RequestRepeat() const;

    // Takes the content of block blockIndex out of a reply into the record. False when the
    // reply is no block content, has the wrong length, or carries another block than the one
    // asked for; the record is untouched then. Remembers the image as last read.
    bool TarSend_ReadBlockGetContent(const tarvik::Frame& reply, int blockIndex,
                                     SensorRecord& record);

    // Block records by index 0..7 (out-of-range indexes give an empty record).
    const CMemoryBlockRecord& TarSend_GetBlockRecord(int blockIndex) const;
    void TarSend_ClearBlockRecords();

    // ---- Texts ----
    // Stator type name; the German list for the language offsets 0, 2000 and 3000, else English.
    static CString TarSend_GetStatorTypeName(int statorId, int statorRevision, int deviceKind,
                                             int digitalInputKind, int languageOffset);
    // Accuracy class text: codes 40..220 in steps of 20 give "3.0" down to "0.05" (out index
    // 0..9 and the number); any other code gives "(def) 3.0" (index -1, number 3.0).
    static CString TarSend_GetAccuracyClass(int code, int* index = nullptr,
                                            double* value = nullptr);
    // The number of a version word as text (see VersionWord.h); "" from 65535 on.
    static CString TarSend_GetVersionText(DWORD word);
    // Measured-quantity kind of a unit letter: 'd' 0, 'A' 1, 'S' 2, 'D' 3, 'K' 4, 'W' 5, 'X' 6,
    // 'T' 7, 'Y' 8, 'P' 100, any other -1.
    static int TarSend_GetUnitCode(char letter);
    // Upper range value of channel 0 (A) or 1 (B) as text and as a number in the base unit.
    static CString TarSend_GetRangeText(const SensorRecord& record, int channel);
    static double TarSend_GetRangeValue(const SensorRecord& record, int channel);
    // Base-unit value of one count of a calibrated value set (parts per million of the range).
    static double TarSend_GetValuePerCount(const SensorRecord& record, int channel);

  private:
    BYTE m_ucAddress1 = tarvik::kAnyAddress;
    BYTE m_ucAddress2 = tarvik::kAnyIndex;
    CMemoryBlockRecord m_blocks[tarvik::kBlockCount];
};
