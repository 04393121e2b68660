// Where the service layer sends instrumented values: the PC's own component
// program through the bridge, and the vendor component's instrumentation.
#pragma once
#include "platform/dmi/service_layer.h"

namespace service {

// The path names the MIFs use for them.
extern const char kBridgePath[];    // "CORVANEDI"
extern const char kVendorPath[];    // "LANTERNFISHVENDOR"

class DispatchingInstrumentation : public Instrumentation {
public:
    uint32_t Get(const std::string& path, uint32_t componentId, uint32_t groupId, uint32_t attributeId,
                 const uint32_t* keys, size_t keyCount, MifAnswer* answer) override;
};

}  // namespace service
