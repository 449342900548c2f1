// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// The marker codes, generated at build time from OpenCV (see
// MarkerTableGenerator.cpp). Every dictionary is a prefix of one code set:
// OpenCV's *_50, *_100 and *_250 dictionaries are the first codes of *_1000.
struct MarkerCodeSet {
    int markerBits;
    int count;
    const std::uint64_t* codes; // row-major bits, as MarkerDictionary::codes
};

struct MarkerTableEntry {
    const char* name; // OpenCV's name
    int codeSet;      // index into kMarkerCodeSets
    int count;        // how many of the set's codes it holds
};

extern const MarkerCodeSet kMarkerCodeSets[];
extern const int kMarkerCodeSetCount;
extern const MarkerTableEntry kMarkerTable[];
extern const int kMarkerTableCount;
