// What the value formatter reads of a channel's record: the unit letter and the selectable unit
// texts with the current choice. The main frame owns the six records and implements this; tests
// use a small fake.
#pragma once

#include "platform/base/CString.h"

class IChannelUnitSource {
  public:
    // The record that holds a view channel's units: the channel itself with fewer than two
    // sensors, else the flow's channel-to-record index.
    virtual int GetRecordOfChannel(int channel) const = 0;
    // The channel's quantity letter (channel 0..5: A, B, C, D, P1, P2).
    virtual char GetChannelUnitLetter(int channel) const = 0;
    // The index of the channel's current unit in its unit texts.
    virtual int GetChannelUnitIndex(int channel) const = 0;
    // The unit text at index; false when the index lies outside the channel's list.
    virtual bool GetChannelUnitText(int channel, int index, CString& text) const = 0;

  protected:
    ~IChannelUnitSource() = default;
};
