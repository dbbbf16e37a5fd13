// The multi-scan splitter: a text file holding several scans, each starting
// with a line "#S" and ended by an empty line, becomes one file per scan,
// named by the file's path with "_" and the scan number appended.
//
// Plain code: no window system, so it builds natively too.
#ifndef KORLAN_SCAN_SPLIT_H
#define KORLAN_SCAN_SPLIT_H

#include <cstdint>
#include <string>
#include <vector>

// Name of scan k of `pfad`: pfad + "_" + k.
std::string ScanDateiName(const std::string& pfad, int32_t k);

// Splits `pfad`; every line of every scan is kept. dateien (may be null)
// receives the names written. Result: the number of scans written (0 when
// the file holds no "#S" line), -1 when the file cannot be opened, -2 when
// a scan file cannot be written (the scans before it stay).
int32_t TeileScans(const std::string& pfad, std::vector<std::string>* dateien);

#endif
