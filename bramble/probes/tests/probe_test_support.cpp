#include "bramble/probes/tests/probe_test_support.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace probetest {

const char* const kMachines[5] = {
    "dell-dimension-4400", "gigabyte-ga-ma74gmt-s2", "lenovo-thinkpad-w510",
    "supermicro-x9dbl",    "microsoft-surface-laptop-3",
};

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream data;
    data << in.rdbuf();
    return data.str();
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string RealTablePath(const std::string& machine, const char* extension)
{
    return std::string(TESTDATA_DIR) + "/smbios/" + machine + extension;
}

std::string DecodedBlock::Get(const std::string& label) const
{
    auto it = fields.find(label);
    return it == fields.end() ? std::string() : it->second;
}

std::vector<DecodedBlock> ParseDmidecode(const std::string& text)
{
    std::vector<DecodedBlock> blocks;
    std::istringstream in(text);
    std::string line, lastLabel;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        unsigned handle = 0, type = 0, length = 0;
        if (std::sscanf(line.c_str(), "Handle 0x%x, DMI type %u, %u bytes", &handle, &type,
                        &length) == 3) {
            blocks.push_back(DecodedBlock());
            blocks.back().type = type;
            lastLabel.clear();
            continue;
        }
        if (blocks.empty() || line.size() < 2 || line[0] != '\t')
            continue;
        if (line[1] == '\t') {
            if (!lastLabel.empty())
                blocks.back().lists[lastLabel].push_back(line.substr(2));
            continue;
        }
        size_t colon = line.find(": ");
        std::string label, value;
        if (colon != std::string::npos) {
            label = line.substr(1, colon - 1);
            value = line.substr(colon + 2);
        } else if (line.back() == ':') {
            label = line.substr(1, line.size() - 2);
        } else {
            continue;
        }
        blocks.back().fields.emplace(label, value);
        lastLabel = label;
    }
    return blocks;
}

std::vector<DecodedBlock> BlocksOfType(const std::vector<DecodedBlock>& blocks, unsigned type)
{
    std::vector<DecodedBlock> out;
    for (const DecodedBlock& b : blocks)
        if (b.type == type)
            out.push_back(b);
    return out;
}

bool SameString(const std::string& served, const std::string& printed)
{
    if (served == printed)
        return true;
    return served == bramble::kNotAvailable &&
           (printed == "Not Specified" || printed == "<BAD INDEX>");
}

std::map<std::string, unsigned> ProcessorFamilies()
{
    // Rows "| 0xB2 | 178 | Pentium 4 | ... |" of the family table.
    std::map<std::string, unsigned> families;
    std::istringstream in(ReadWholeFile(DMI_REFERENCE));
    std::string line;
    while (std::getline(in, line)) {
        unsigned hex = 0, dec = 0;
        int used = 0;
        if (std::sscanf(line.c_str(), "| 0x%x | %u | %n", &hex, &dec, &used) != 2 || used == 0 ||
            hex != dec)
            continue;
        size_t end = line.find(" |", static_cast<size_t>(used));
        if (end == std::string::npos)
            continue;
        families.emplace(line.substr(static_cast<size_t>(used), end - static_cast<size_t>(used)), dec);
    }
    return families;
}

std::map<std::string, unsigned> EnumList(const char* marker)
{
    std::map<std::string, unsigned> names;
    std::istringstream in(ReadWholeFile(DMI_REFERENCE));
    std::string line;
    while (std::getline(in, line)) {
        size_t at = line.find(marker);
        if (at == std::string::npos)
            continue;
        // From "1 Other" on: "N Name" items separated by ", ", up to a '.'.
        size_t pos = line.find("1 Other", at);
        if (pos == std::string::npos)
            continue;
        std::string list = line.substr(pos, line.find('.', pos) - pos);
        std::istringstream items(list);
        std::string item;
        while (std::getline(items, item, ',')) {
            char* end = nullptr;
            unsigned long number = std::strtoul(item.c_str(), &end, 10);
            std::string name = end;
            while (!name.empty() && name.front() == ' ')
                name.erase(0, 1);
            if (!name.empty())
                names.emplace(Lower(name), static_cast<unsigned>(number));
        }
        break;
    }
    return names;
}

TableBuilder& TableBuilder::Add(unsigned type, const std::vector<unsigned char>& formatted,
                                const std::vector<std::string>& strings)
{
    bytes_.push_back(static_cast<unsigned char>(type));
    bytes_.push_back(static_cast<unsigned char>(4 + formatted.size()));
    bytes_.push_back(static_cast<unsigned char>(handle_ & 0xFF));
    bytes_.push_back(static_cast<unsigned char>(handle_ >> 8));
    handle_++;
    bytes_.insert(bytes_.end(), formatted.begin(), formatted.end());
    for (const std::string& s : strings) {
        bytes_.insert(bytes_.end(), s.begin(), s.end());
        bytes_.push_back(0);
    }
    if (strings.empty())
        bytes_.push_back(0);
    bytes_.push_back(0);
    return *this;
}

std::vector<unsigned char> TableBuilder::Build() const
{
    std::vector<unsigned char> table = bytes_;
    const unsigned char end[] = {127, 4, 0xFF, 0xFE, 0, 0};
    table.insert(table.end(), end, end + sizeof end);
    return table;
}

}  // namespace probetest
