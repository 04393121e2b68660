#include "platform/dmi/mif_answer.h"

#include <cstring>

namespace {

void PutLittleEndian(unsigned char* p, uint64_t value, size_t bytes) {
    for (size_t i = 0; i < bytes; ++i) {
        p[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

}  // namespace

const char* MifStatusText(MifStatus status) {
    switch (status) {
        case MifStatus::kOk: return "ok";
        case MifStatus::kInstrumented: return "served by instrumentation";
        case MifStatus::kNoComponent: return "no such component";
        case MifStatus::kNoGroup: return "no such group";
        case MifStatus::kNoAttribute: return "no such attribute";
        case MifStatus::kNoRow: return "no row with that key";
        case MifStatus::kBadKeys: return "keys do not fit the group";
        case MifStatus::kUnsupported: return "attribute not supported";
        case MifStatus::kValueUnknown: return "value unknown";
        case MifStatus::kNotReadable: return "attribute is write-only";
    }
    return "unknown status";
}

size_t MifAnswerValueSize(const MifAnswer& answer) {
    switch (answer.type) {
        case dmi::kOctetString:
        case dmi::kDisplayString: return dmi::kStringLengthSize + answer.bytes.size();
        default: return dmi::FixedValueSize(answer.type);
    }
}

size_t WriteMifAnswerValue(const MifAnswer& answer, void* out, size_t outSize) {
    const size_t size = MifAnswerValueSize(answer);
    if (out == nullptr || size == 0 || outSize < size) {
        return 0;
    }
    unsigned char* p = static_cast<unsigned char*>(out);
    switch (answer.type) {
        case dmi::kOctetString:
        case dmi::kDisplayString:
            PutLittleEndian(p, answer.bytes.size(), dmi::kStringLengthSize);
            if (!answer.bytes.empty()) {
                std::memcpy(p + dmi::kStringLengthSize, answer.bytes.data(), answer.bytes.size());
            }
            break;
        case dmi::kDate:
            std::memset(p, 0, dmi::kDateFieldSize);
            std::memcpy(p, answer.bytes.data(),
                        answer.bytes.size() < dmi::kDateFieldSize ? answer.bytes.size()
                                                                  : dmi::kDateFieldSize);
            break;
        case dmi::kCounter64:
        case dmi::kInteger64: PutLittleEndian(p, answer.value64, 8); break;
        default: PutLittleEndian(p, answer.value32, 4); break;
    }
    return size;
}
