#include "platform/dmi/instrumentation.h"

#include "platform/dmi/bridge_client.h"

namespace service {

const char kBridgePath[] = "CORVANEDI";
const char kVendorPath[] = "LANTERNFISHVENDOR";

uint32_t DispatchingInstrumentation::Get(const std::string& path, uint32_t componentId, uint32_t groupId,
                                         uint32_t attributeId, const uint32_t* keys, size_t keyCount,
                                         MifAnswer* answer)
{
    if (path == kBridgePath)
        return BridgeGet(componentId, groupId, attributeId, keys, keyCount, kBridgeTimeoutMs, answer);
    return kOverlayNotFound;
}

}  // namespace service
