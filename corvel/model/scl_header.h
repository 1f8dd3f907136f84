// ScanSclFile, ScanIedElements, ReadIedHeader, FindIedNameInFile: what is read of an SCL file before its
// full model: the identity of its IEDs and the addresses of their access points.
#pragma once

#include "corvel/model/ied_records.h"

#include <vector>

// The attributes the scan reads of each IED element, in the order of its text.
enum ScanAttribute { kScanType, kScanName, kScanDesc, kScanManufacturer, kScanAttributeCount };

// One IED element as the scan read it. An attribute the reader could not move to (an error result) is not
// read; an absent one reads as empty.
struct ScannedIed {
    CString values[kScanAttributeCount];
    bool read[kScanAttributeCount] = {};
};

// Streams the file with XmlLite and reads the identity attributes of every element named exactly "IED";
// returns an error text ("Error creating file reader, error is %08.8lx" ...), empty when the file could be
// read (a parse error only ends the scan).
CString ScanIedElements(const CString& path, std::vector<ScannedIed>& ieds);
// The scan as one text: "type,name,desc,manufacturer,ipaddress," for each IED element, into info; returns
// the scan's error text.
CString ScanSclFile(CString& info, const CString& path);
// Appends one new record per ConnectedAP of an IED with a server access point; the caller owns them. A file
// that cannot be read gives none.
void ReadIedHeader(const CString& path, CConnectedAPArray& entries);
// The value of the first iedName="..." attribute of the file; empty when there is none.
CString FindIedNameInFile(const CString& path);
