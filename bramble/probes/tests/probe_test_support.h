// Helpers for the probe tests: the real tables with dmidecode's reading of
// them, the enumeration names of the DMI reference, and crafted tables.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "bramble/probes/smbios_fields.h"

namespace probetest {

extern const char* const kMachines[5];

std::string ReadWholeFile(const std::string& path);
std::string Lower(std::string text);
std::string RealTablePath(const std::string& machine, const char* extension);

inline bramble::SmbiosBytes BytesOf(const std::string& data)
{
    return {reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned>(data.size())};
}
inline bramble::SmbiosBytes BytesOf(const std::vector<unsigned char>& data)
{
    return {data.data(), static_cast<unsigned>(data.size())};
}

// One structure as dmidecode prints it: its type and its "\tLabel: value"
// lines (first occurrence of each label), and the nested lines that follow a
// label.
struct DecodedBlock {
    unsigned type = 0;
    std::map<std::string, std::string> fields;
    std::map<std::string, std::vector<std::string>> lists;  // nested lines under a label
    bool Has(const std::string& label) const { return fields.count(label) != 0; }
    std::string Get(const std::string& label) const;  // "" when absent
};
std::vector<DecodedBlock> ParseDmidecode(const std::string& text);
std::vector<DecodedBlock> BlocksOfType(const std::vector<DecodedBlock>& blocks, unsigned type);

// dmidecode prints a missing string as "Not Specified" or "<BAD INDEX>"; a
// table may also hold those words literally. Whether a served string agrees
// with what dmidecode printed.
bool SameString(const std::string& served, const std::string& printed);

// Name to number of an enumeration of the DMI reference.
std::map<std::string, unsigned> ProcessorFamilies();  // the family table
// The list "1 Other, 2 Unknown, ..." on the line that holds marker; names in
// lower case.
std::map<std::string, unsigned> EnumList(const char* marker);

// Builds a structure table: each structure gets a fresh handle; Build() ends
// it with the end-of-table structure.
class TableBuilder {
public:
    TableBuilder& Add(unsigned type, const std::vector<unsigned char>& formatted,
                      const std::vector<std::string>& strings = {});
    std::vector<unsigned char> Build() const;

private:
    std::vector<unsigned char> bytes_;
    unsigned handle_ = 0;
};

}  // namespace probetest
