#pragma once

// The three calls of the report library. Texts are zero-terminated windows-1251
// strings; the image is a document image ended by a zero byte; flags and results
// are bytes, 1 true and 0 false. Storage errors of a damaged image pass out of
// the call as the storage errors of the program (mEPrivBase and its family).

#include <cstdint>

#if defined(__GNUC__)
#define QZ2008REP_API __attribute__((visibility("default")))
#else
#define QZ2008REP_API
#endif

extern "C" {

// Previews the paper form; printEnabled enables its print button, hideDate leaves
// the date cells empty. programFolder and xmlPath are not used.
QZ2008REP_API uint8_t Report(const char* programFolder, const uint8_t* image, uint8_t printEnabled,
                             uint8_t hideDate, const char* xmlPath);

// Prints the paper form; the arguments are those of Report, printEnabled ignored.
QZ2008REP_API uint8_t PrintReport(const char* programFolder, const uint8_t* image,
                                  uint8_t printEnabled, uint8_t hideDate, const char* xmlPath);

// Asks for a folder and writes the 4-NDFL text file there; ownerWindow (a QWidget,
// or null) owns the dialogs. 0 when no folder was chosen, 1 otherwise.
QZ2008REP_API uint8_t FileOut(void* ownerWindow, const uint8_t* image);
}
