#include "platform/dmi/mif_class_match.h"

#include <vector>

#include "common/cp932.h"

namespace {

std::vector<std::string> SplitFields(const std::string& text) {
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (cp932::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < text.size()) {
            fields.back() += c;
            fields.back() += text[++i];
        } else if (c == '|') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

}  // namespace

bool MifClassMatches(const std::string& filter, const std::string& classString) {
    const std::vector<std::string> wanted = SplitFields(filter);
    const std::vector<std::string> have = SplitFields(classString);
    for (size_t i = 0; i < wanted.size(); ++i) {
        if (wanted[i].empty()) {
            continue;
        }
        if (i >= have.size() || wanted[i] != have[i]) {
            return false;
        }
    }
    return true;
}
