// Ids and periods of the main frame's one-shot timers that the sensor dialogue arms. The frame's
// timer handler kills every timer before it acts and hands the engine's ids to
// CComPort::COM_RunTimerStep.
#pragma once

#include "platform/base/WinTypes.h"

// Run by the frame (the engine arms them, kills them or relies on them).
constexpr UINT COM_TIMER_STATUS_RESTORE = 21;
constexpr UINT COM_TIMER_PAGE_SWITCH = 22;
constexpr UINT COM_TIMER_CLOCK_TIME = 32782;
constexpr UINT COM_TIMER_CLOCK_WEEKDAY = 32783;
constexpr UINT COM_TIMER_CLOCK_DATE = 32784;
constexpr UINT COM_TIMER_MULTIPORT_DETECTION = 8;
constexpr UINT COM_TIMER_SENSOR_READY = 15;
constexpr UINT COM_TIMER_STREAMING_SENSOR = 47;
constexpr UINT COM_TIMER_CLOSE_AGAIN = 49;

// Run by the engine.
constexpr UINT COM_TIMER_SCAN_OPEN = 13;
constexpr UINT COM_TIMER_SCAN_ANSWER = 23;
constexpr UINT COM_TIMER_STATUS_LONG_SLOT = 24;
constexpr UINT COM_TIMER_SCAN_CLOSE_NEXT = 26;
constexpr UINT COM_TIMER_SCAN_END_CLOSE = 27;
constexpr UINT COM_TIMER_SCAN_END_REFRESH = 28;
constexpr UINT COM_TIMER_SCAN_END_FOUND = 29;
constexpr UINT COM_TIMER_SCAN_NEXT = 30;
constexpr UINT COM_TIMER_BUILD_PORT_TABLE = 31;
constexpr UINT COM_TIMER_BAUD_RESTART_CLOSE = 32;
constexpr UINT COM_TIMER_BAUD_RESTART_REBUILD = 33;
constexpr UINT COM_TIMER_BAUD_STORED = 35;
constexpr UINT COM_TIMER_SERIAL_NUMBER_DELAY = 38;
constexpr UINT COM_TIMER_SW_CONFIG_REPEAT = 39;
constexpr UINT COM_TIMER_RESTART_SENSOR = 41;
constexpr UINT COM_TIMER_LOWPASS_STORED = 42;
constexpr UINT COM_TIMER_REPLY_TIMEOUT = 43;
constexpr UINT COM_TIMER_REOPEN_AFTER_RESTART = 45;
constexpr UINT COM_TIMER_SLAVES_PREPARED = 61;
// A sensor lost while its port stays: its next try, and the end of the try's wait for an answer.
constexpr UINT COM_TIMER_LOST_SENSOR_TRY = 62;
constexpr UINT COM_TIMER_LOST_SENSOR_ANSWER = 63;
// Opens the next sensor of a multi-port device; its last step ends in the frame's
// OnMultiChannelActivationDone.
constexpr UINT COM_TIMER_OPEN_NEXT_SENSOR = 44;

// Timers of the pages that the engine arms through the page interface.
constexpr UINT COM_PAGE_TIMER_BAUD_MULTIPORT_WAIT = 7;   // connection page
constexpr UINT COM_PAGE_TIMER_INFORMATION_REFRESH = 53;  // sensor information page

// Periods in milliseconds.
constexpr UINT COM_MS_SCAN_STEP = 5;
constexpr UINT COM_MS_SCAN_STEP_NETWORK = 100;
constexpr UINT COM_MS_SCAN_ANSWER = 200;
constexpr UINT COM_MS_SCAN_ANSWER_NETWORK = 500;
constexpr UINT COM_MS_STATUS_LONG_SLOT = 10;
constexpr UINT COM_MS_SCAN_CLOSE_NEXT = 200;
constexpr UINT COM_MS_SCAN_NEXT = 100;
constexpr UINT COM_MS_SCAN_END = 100;
constexpr UINT COM_MS_SENSOR_READY = 20;
constexpr UINT COM_MS_MULTIPORT_DETECTION = 20;
constexpr UINT COM_MS_BAUD_STORED = 100;
constexpr UINT COM_MS_BAUD_RESTART = 100;
// The new search after a restart starts once the sensor's restart silence (300 ms) is over.
constexpr UINT COM_MS_BAUD_RESTART_REBUILD = 350;
constexpr UINT COM_MS_SW_CONFIG_REPEAT = 500;
constexpr UINT COM_MS_RESTART_SENSOR = 200;
constexpr UINT COM_MS_RESTART_WAIT = 100;
constexpr UINT COM_MS_LOWPASS_STORED = 100;
constexpr UINT COM_MS_OPEN_NEXT_SENSOR = 100;
constexpr UINT COM_MS_STREAMING_SENSOR = 500;
constexpr UINT COM_MS_CLOSE_AGAIN = 1000;
constexpr UINT COM_MS_SLAVES_PREPARED = 1250;
constexpr UINT COM_MS_RAW_CALIB_TICK = 25;
// A polled measurement asks for each value set on the tick; a streaming one needs the tick only
// for the page's counts and the silence watch: it runs less often, and late enough to come with
// the sensors' data instead of waking the program for itself.
constexpr UINT COM_MS_MEASURE_TICK = 25;
constexpr UINT COM_MS_STREAM_TICK = 200;
constexpr UINT COM_MS_STREAM_TICK_SLACK = 100;
constexpr UINT COM_MS_BAUD_MULTIPORT_WAIT = 500;
constexpr UINT COM_MS_INFORMATION_REFRESH = 10;
constexpr UINT COM_MS_LOST_SENSOR_TRY = 1500;
constexpr UINT COM_MS_LOST_SENSOR_ANSWER = 400;
// A restarted sensor is silent for 300 ms; the port is opened again a little later.
constexpr UINT COM_MS_REOPEN_AFTER_RESTART = 400;
