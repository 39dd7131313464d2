// The steps of the sensor dialogue. One integer holds the current step (m_iZMCOMConfgFlow);
// acknowledgements, replies and timer steps move it on. ZM_STOP_MEASURE is the resting state.
// A second integer (m_iZMCOMConfgFlowMulti) names what a dialogue with several sensors at once
// is doing.
#pragma once

constexpr int ZM_UNDEFINED = 0;
constexpr int ZM_START_INIT = 1;                 // '@' then 'B' to a port being opened
constexpr int ZM_START_READ_BLOCKS = 2;          // the eight blocks of a port being opened
constexpr int ZM_MEASURE_START = 3;              // 'C' sent, waiting for its acknowledge
constexpr int ZM_MEASURE = 4;                    // measuring (streamed or polled)
constexpr int ZM_STOP_MEASURE = 5;               // at rest
constexpr int ZM_MEASURE_STOP = 6;               // 'S' sent, waiting for its acknowledge
constexpr int ZM_SET_CTRL_ON = 7;                // 'K' 1
constexpr int ZM_SET_CTRL_OFF = 8;               // 'K' 0
constexpr int ZM_STOP_MEASURE_MAX_DURATION = 9;  // set by the recording
constexpr int ZM_CALIB_STOPPED_CTRL_OFF = 10;    // 'K' 0 after a stopped raw reading
constexpr int ZM_DEACTIVATE_USERCALIB = 18;  // user calibration written with invalid check bytes
constexpr int ZM_SET_NEW_USERCALIB = 20;     // new user calibration written
constexpr int ZM_READ_RAW_CALIB_INIT = 22;   // raw calibration readings
constexpr int ZM_SET_INACCURACY_USERCALIB = 23;           // measurement uncertainty written
constexpr int ZM_CHECK_IF_PKR_USB_KQ6_IS_CONNECTED = 25;  // scan: stored long status analysed
constexpr int ZM_SCAN_CHECK_ADDRESS = 26;                 // scan: '@' to any address sent
constexpr int ZM_SET_SOFTWARE_CONFIG = 30;                // software configuration written
constexpr int ZM_CNFG_SET_NEW_BAUDRATE = 39;  // stator operation written with a new baud rate
constexpr int ZM_RESTART_AFTER_BAUDRATE = 40;
constexpr int ZM_CNFG_SET_NEW_LOWPASS = 41;  // stator operation written with a new low-pass code
constexpr int ZM_SET_SERIAL_NUMBER_ROTOR_OPERATION = 42;
constexpr int ZM_RESTART_SENSOR = 45;
constexpr int ZM_RESTART_AFTER_LOWPASS = 47;
constexpr int ZM_CNFG_SET_BAUDRATE_MULTIPORT = 48;
constexpr int ZM_OPEN_FURTHER_SENSORS = 49;  // the further sensors of a multi-port device open
constexpr int ZM_RESTART_MULTIPORT = 50;
constexpr int ZM_SET_SLAVES = 51;             // 'M' to the ports of a multi-port device
constexpr int ZM_CLOSE_CONFIG_SEQUENCE = 53;  // configuration written at close
constexpr int ZM_SCAN_STATUS_LONG = 54;       // scan: 'B' sent
constexpr int ZM_SCAN_READ_BLOCKS = 55;       // scan: blocks being read
constexpr int ZM_CLOSE_CONFIG_DONE = 57;
constexpr int ZM_SINGLE_SHOT = 59;         // one calibrated value set from every open sensor
constexpr int ZM_DIAGNOSTIC_REQUEST = 60;  // a raw request of the diagnostic page

// Values of the second state.
constexpr int ZM4_NONE = 0;
constexpr int ZM4_SET_SERIAL_NUMBER = 1006;
constexpr int ZM4_MEASURE = 1007;
