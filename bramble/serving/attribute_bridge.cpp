#include "bramble/serving/attribute_bridge.h"

#include "common/byte_fields.h"

#include <cstring>

namespace bramble {

namespace {

using le::Word;

uint8_t* MapArea(const char* name, DWORD size, HANDLE* mapping)
{
    *mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name);
    if (!*mapping)
        return nullptr;
    return static_cast<uint8_t*>(::MapViewOfFile(*mapping, FILE_MAP_ALL_ACCESS, 0, 0, size));
}

}  // namespace

size_t BridgeValueSize(uint32_t dataType, const void* value)
{
    switch (dataType) {
    case 5: return 4;
    case 6: return 8;
    case 11: return 28;
    case 8: {
        uint32_t length;
        std::memcpy(&length, value, 4);
        return 4 + (length > kAreaSize - 4 ? kAreaSize - 4 : length);
    }
    default: return kAreaSize;
    }
}

AttributeBridge::~AttributeBridge()
{
    uint8_t* views[] = {keyList_, keyData_, result_, header_, value_};
    for (uint8_t* view : views)
        if (view)
            ::UnmapViewOfFile(view);
    for (HANDLE mapping : mappings_)
        if (mapping)
            ::CloseHandle(mapping);
    if (semaphore_)
        ::CloseHandle(semaphore_);
}

bool AttributeBridge::Create()
{
    semaphore_ = ::CreateSemaphoreA(nullptr, 1, 1, "DMIINFO");
    if (!semaphore_)
        return false;
    return (keyList_ = MapArea("HELMSETKEYLIST", kAreaSize, &mappings_[0])) &&
           (keyData_ = MapArea("HELMSETKEYDATA", kAreaSize * kMaxBridgeKeys, &mappings_[1])) &&
           (result_ = MapArea("HELMSETAttArea", kAreaSize, &mappings_[2])) &&
           (header_ = MapArea("HELMSETDMIINFO", kAreaSize, &mappings_[3])) &&
           (value_ = MapArea("HELMSETMIFDATA", kAreaSize, &mappings_[4]));
}

bool AttributeBridge::ReadRequest(uint32_t* component, uint32_t* group, uint32_t* attribute, uint32_t* keyCount,
                                  KeyEntry* keys)
{
    *component = Word(header_, 0);
    *group = Word(header_, 4);
    *attribute = Word(header_, 8);
    *keyCount = Word(header_, 12);
    // Another process wrote the count: more keys than slots is refused, never
    // read past the areas.
    if (*keyCount > kMaxBridgeKeys)
        return false;
    for (uint32_t k = 0; k < *keyCount; ++k) {
        keys[k].attributeId = Word(keyList_, k * 12);
        keys[k].dataType = Word(keyList_, k * 12 + 4);
        keys[k].value = keyData_ + k * kAreaSize;   // the caller's pointer means nothing here
    }
    return true;
}

LRESULT AttributeBridge::Answer(const AttributeResult* result)
{
    if (!result || !result->value)
        return 0;
    std::memcpy(result_, &result->attributeId, 4);
    std::memcpy(result_ + 4, &result->dataType, 4);
    uint32_t pointer = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(result->value));
    std::memcpy(result_ + 8, &pointer, 4);
    size_t size = BridgeValueSize(result->dataType, result->value);
    std::memcpy(value_, result->value, size);
    if (result->dataType == 8 && size == kAreaSize) {
        // A string cut to the area: its length says what the area holds.
        uint32_t length = kAreaSize - 4;
        std::memcpy(value_, &length, 4);
    }
    return 1;
}

LRESULT AttributeBridge::Handle(UINT message, const CiEntryPoints& entries)
{
    if (!header_)
        return 0;
    uint32_t component = 0, group = 0, attribute = 0, keyCount = 0;
    KeyEntry keys[kMaxBridgeKeys] = {};
    switch (message) {
    case kBridgeGet:
    case kBridgeGetNext: {
        if (!ReadRequest(&component, &group, &attribute, &keyCount, keys))
            return 0;
        auto call = message == kBridgeGet ? entries.get : entries.getNext;
        return Answer(call(component, group, attribute, keyCount, keyCount ? keys : nullptr));
    }
    case kBridgeSet: {
        if (!ReadRequest(&component, &group, &attribute, &keyCount, keys))
            return 0;
        return static_cast<LRESULT>(
            entries.set(component, group, attribute, keyCount, keyCount ? keys : nullptr, value_));
    }
    case kBridgeReserve:
    case kBridgeRelease:
    default:
        return 0;
    }
}

}  // namespace bramble
