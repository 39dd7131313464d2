// The error texts of the CSV table, as its users have always read them.
#pragma once

namespace kq::chart::csv {

inline constexpr const char* kUnknown = "ERROR 0000: UNKNOWN ERROR";
inline constexpr const char* kGetString = "ERROR 0001: An unknown error occurred in GetString()!";
inline constexpr const char* kGetData = "ERROR 0002: An unknown error occurred in GetData()!";
inline constexpr const char* kNotStrings =
    "ERROR 0003: GetString() was called while the dwReadFlags was not READ_AS_STRING.";
inline constexpr const char* kNotDoubles =
    "ERROR 0004: GetData() was called while the dwReadFlags was not RF_READ_AS_DOUBLE.";
inline constexpr const char* kNameNotFound = "ERROR 0005: Variable name not found!";
inline constexpr const char* kFileNotFound = "ERROR 0006: Filename name not found!";
inline constexpr const char* kNoFile = "ERROR 0007: File not found!";
inline constexpr const char* kHeaderCount =
    "ERROR 0008: The Number of Headers is different than the Number of Data Columns!";
inline constexpr const char* kBadIndex = "ERROR 0009: Column or row index out of range!";
inline constexpr const char* kNotWritable =
    "ERROR 0010: A header or text holds the separator or a line break, or the separator is "
    "empty!";
inline constexpr const char* kWriteFailed = "ERROR 0011: The file could not be written!";
inline constexpr const char* kReadFailed = "ERROR 0012: The file could not be read!";

}  // namespace kq::chart::csv
