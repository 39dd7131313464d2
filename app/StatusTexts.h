// The texts of the status line's message pane: the conversion progress with its speed, and the
// rules every shown text follows (no text is ever used as a format).
#pragma once

#include "platform/base/CString.h"

// The longest status text in bytes; a cut never splits a UTF-8 character.
constexpr int kStatusTextLimit = 255;

// "%%" becomes "%"; every other character, a lone "%" too, stays as it is.
CString CollapseDoubledPercent(const CString& text);
// The text cut to at most limit bytes at a character boundary.
CString CutUtf8(const CString& text, int limit);

// The progress text of a conversion: "<pleaseWait> <progress> %  <speedName>: <speed>
// KB/<secondUnit>)" or, from 500 KB/s on, the speed in MB with one decimal in the language's
// separator; without a valid stopwatch (or with a speed that is not finite) "<pleaseWait>
// <progress> %)". The texts are IDS_STATUS_STORAGE_PROGRESS, IDS_STORAGE_SPEED and IDS_SECONDS.
CString FormatConversionProgress(const CString& pleaseWait, const CString& speedName,
                                 const CString& secondUnit, double progress, double speedKb,
                                 bool stopwatchValid, int languageOffset);
