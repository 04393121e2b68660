#include "platform/dmi/instrumentation.h"

#include "platform/dmi/bridge_client.h"
#include "platform/vendor/vendor_values.h"

namespace service {

const char kBridgePath[] = "CORVANEDI";
const char kVendorPath[] = "LANTERNFISHVENDOR";

namespace {

// The vendor instrumentation's value in the answer's form.
uint32_t VendorGet(uint32_t groupId, uint32_t attributeId, const uint32_t* keys, size_t keyCount, MifAnswer* answer)
{
    if (keyCount > 1)
        return kIllegalKeys;
    vendor::Value value;
    switch (vendor::GetValue(groupId, attributeId, keyCount ? keys[0] : 0, &value)) {
    case vendor::Result::NoSuchAttribute: return kAttributeNotFound;
    case vendor::Result::NoSuchRow: return kRowNotFound;
    case vendor::Result::Ok: break;
    }
    answer->type = static_cast<dmi::DataType>(value.type);
    switch (value.type) {
    case 1: case 3: case 5:
        answer->value32 = static_cast<uint32_t>(value.integer);
        return kNoError;
    case 2: case 6:
        answer->value64 = value.integer;
        return kNoError;
    case 7: case 8:
        answer->bytes = value.text;
        return kNoError;
    case 11:
        answer->bytes = value.text.substr(0, 28);
        answer->bytes.resize(28, '\0');
        return kNoError;
    default:
        return kAttributeNotSupported;
    }
}

}  // namespace

uint32_t DispatchingInstrumentation::Get(const std::string& path, uint32_t componentId, uint32_t groupId,
                                         uint32_t attributeId, const uint32_t* keys, size_t keyCount,
                                         MifAnswer* answer)
{
    if (path == kBridgePath)
        return BridgeGet(componentId, groupId, attributeId, keys, keyCount, kBridgeTimeoutMs, answer);
    if (path == kVendorPath)
        return VendorGet(groupId, attributeId, keys, keyCount, answer);
    return kOverlayNotFound;
}

}  // namespace service
