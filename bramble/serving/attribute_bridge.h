// The instrumentation's side of the bridge to the DMI service layer: the
// semaphore that serialises callers, the five shared areas a request and its
// answer travel in, and the handling of the bridge messages on the hidden
// window. Requests come from another process and are checked before use.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace bramble {

// What a group handler answers: the attribute, its DMI type, and where the
// value lies in this process.
struct AttributeResult {
    uint32_t attributeId;
    uint32_t dataType;
    const void* value;
};

// One key of a request: the handlers read only the value (a 32-bit integer).
struct KeyEntry {
    uint32_t attributeId;
    uint32_t dataType;
    const void* value;
};

// The entry points the bridge calls (the exported Ci functions).
struct CiEntryPoints {
    AttributeResult*(WINAPI* get)(ULONG componentId, ULONG groupId, ULONG attributeId, ULONG keyCount,
                                   KeyEntry* keys);
    AttributeResult*(WINAPI* getNext)(ULONG componentId, ULONG groupId, ULONG attributeId, ULONG keyCount,
                                       KeyEntry* keys);
    ULONG(WINAPI* set)(ULONG componentId, ULONG groupId, ULONG attributeId, ULONG keyCount, KeyEntry* keys,
                       void* value);
};

enum : UINT {
    kBridgeGet = 0x496,
    kBridgeGetNext = 0x497,
    kBridgeReserve = 0x498,
    kBridgeRelease = 0x499,
    kBridgeSet = 0x49A,
};

constexpr size_t kAreaSize = 4096;
constexpr uint32_t kMaxBridgeKeys = 3;

// Bytes a value of the type takes in the value area: 4, 8, 4 + length, 28,
// or a 4096-byte block for other types. A string longer than the area can
// carry is cut to what fits.
size_t BridgeValueSize(uint32_t dataType, const void* value);

class AttributeBridge {
public:
    ~AttributeBridge();
    // Creates the semaphore "DMIINFO" (one request at a time), then the areas
    // in this order: key list, key values, result, request header, value.
    bool Create();

    // Handles one bridge message; the result the window procedure returns.
    LRESULT Handle(UINT message, const CiEntryPoints& entries);

private:
    // Reads the request header and points the keys at the key slots; false
    // when the request cannot be served (too many keys).
    bool ReadRequest(uint32_t* component, uint32_t* group, uint32_t* attribute, uint32_t* keyCount,
                     KeyEntry* keys);
    LRESULT Answer(const AttributeResult* result);

    HANDLE semaphore_ = nullptr;
    HANDLE mappings_[5] = {};
    uint8_t* keyList_ = nullptr;
    uint8_t* keyData_ = nullptr;
    uint8_t* result_ = nullptr;
    uint8_t* header_ = nullptr;
    uint8_t* value_ = nullptr;
};

}  // namespace bramble
