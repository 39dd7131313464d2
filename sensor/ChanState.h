// The process-wide channel state of the connected sensor: which encoder channels are connected,
// their modes and angle-zero phases, and whether the computed power channels P1 and P2 are on
// and shown. The long status of the sensor sets the connected mask and the modes.
#pragma once

#include "platform/base/WinTypes.h"

// Clears the connected mask, the modes and the phases.
void ChanState_Reset();
void ChanState_SetConnected(BYTE mask, WORD modeA, WORD modeB);

// 0, 1 or 2 connected channels; -1 for a mask other than 0..3.
int ChanState_GetConnectedChannelCount();
BOOL ChanState_AreBothChannelsConnected();
BOOL ChanState_IsChannelAConnected();
BOOL ChanState_IsChannelBConnected();
// Mode word of channel 0 or 1 is 1 (angle).
BOOL ChanState_IsChannelModeA(int channel);
BOOL ChanState_IsChannelPhase1(int channel);
BOOL ChanState_IsChannelPhase2(int channel);
void ChanState_SetChannelPhase(int channel, int phase);
void ChanState_SetBothChannelPhases(int phase);

// Computed power channels: 0 = P1, 1 = P2.
void ChanState_SetPowerChannelOn(int derived, BOOL on);
BOOL ChanState_IsPowerChannelOn(int derived);
BYTE ChanState_IsPowerChannel1On();
BYTE ChanState_IsPowerChannel2On();
void ChanState_SetPowerViewShown(int derived, BOOL shown);
// Whether the power channel's view is shown; with requireOn also whether the channel is on.
BOOL ChanState_IsPowerViewShown(int derived, BOOL requireOn);
