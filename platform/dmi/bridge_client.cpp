#include "platform/dmi/bridge_client.h"

#include "common/byte_fields.h"

#include <cstring>

namespace service {

namespace {

using le::PutWord;
using le::Word;

constexpr size_t kAreaSize = 4096;
constexpr size_t kKeySlots = 3;



// One named area of the bridge, mapped for the length of a request.
class Area {
public:
    Area(const char* name, size_t size) : size_(size)
    {
        mapping_ = ::OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name);
        if (mapping_)
            view_ = static_cast<uint8_t*>(::MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, size));
    }
    ~Area()
    {
        if (view_)
            ::UnmapViewOfFile(view_);
        if (mapping_)
            ::CloseHandle(mapping_);
    }
    Area(const Area&) = delete;
    Area& operator=(const Area&) = delete;
    uint8_t* Data() const { return view_; }
    size_t Size() const { return size_; }

private:
    HANDLE mapping_ = nullptr;
    uint8_t* view_ = nullptr;
    size_t size_;
};

// The value in "HELMSETMIFDATA" by its type, checked against the area.
bool ReadValue(uint32_t type, const uint8_t* data, MifAnswer* answer)
{
    answer->type = static_cast<dmi::DataType>(type);
    switch (type) {
    case 1: case 3: case 5:
        answer->value32 = Word(data, 0);
        return true;
    case 2: case 6:
        std::memcpy(&answer->value64, data, 8);
        return true;
    case 7: case 8: {
        uint32_t length = Word(data, 0);
        if (length > kAreaSize - 4)
            return false;
        answer->bytes.assign(reinterpret_cast<const char*>(data + 4), length);
        return true;
    }
    case 11:
        answer->bytes.assign(reinterpret_cast<const char*>(data), 28);
        return true;
    default:
        return false;
    }
}

// One request through the bridge: the header and keys written, the message
// sent, and `done` called with the program's answer and the areas while the
// semaphore is held. Returns done's status, or 0x107 / 0x10004.
template <class Done>
uint32_t Exchange(UINT message, uint32_t componentId, uint32_t groupId, uint32_t attributeId, const uint32_t* keys,
                  size_t keyCount, const void* value, size_t valueBytes, DWORD timeoutMs, Done done)
{
    if (keyCount > kKeySlots || valueBytes > kAreaSize)
        return 0x105;
    HANDLE semaphore = ::OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, "DMIINFO");
    if (!semaphore)
        return kBridgeNoInstrumentation;
    if (::WaitForSingleObject(semaphore, timeoutMs) != WAIT_OBJECT_0) {
        ::CloseHandle(semaphore);
        return kBridgeNoAnswerInTime;
    }
    uint32_t status = kBridgeNoInstrumentation;
    {
        Area header("HELMSETDMIINFO", kAreaSize), keyList("HELMSETKEYLIST", kAreaSize),
            keyData("HELMSETKEYDATA", kAreaSize * kKeySlots), result("HELMSETAttArea", kAreaSize),
            valueArea("HELMSETMIFDATA", kAreaSize);
        HWND window = ::FindWindowA("corvanedmici", nullptr);
        if (header.Data() && keyList.Data() && keyData.Data() && result.Data() && valueArea.Data() && window) {
            PutWord(header.Data(), 0, componentId);
            PutWord(header.Data(), 4, groupId);
            PutWord(header.Data(), 8, attributeId);
            PutWord(header.Data(), 12, static_cast<uint32_t>(keyCount));
            for (size_t k = 0; k < keyCount; ++k) {
                // {attribute id, integer, value pointer}: the program points
                // the entry at its own mapping of the key slot.
                PutWord(keyList.Data(), k * 12, static_cast<uint32_t>(k + 1));
                PutWord(keyList.Data(), k * 12 + 4, 5);
                PutWord(keyList.Data(), k * 12 + 8, 0);
                PutWord(keyData.Data(), k * kAreaSize, keys[k]);
            }
            std::memset(result.Data(), 0, 12);
            if (valueBytes)
                std::memcpy(valueArea.Data(), value, valueBytes);
            DWORD_PTR answered = 0;
            if (!::SendMessageTimeoutA(window, message, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &answered))
                status = kBridgeNoAnswerInTime;
            else
                status = done(answered, result.Data(), valueArea.Data());
        }
    }
    ::ReleaseSemaphore(semaphore, 1, nullptr);
    ::CloseHandle(semaphore);
    return status;
}

}  // namespace

uint32_t BridgeGet(uint32_t componentId, uint32_t groupId, uint32_t attributeId, const uint32_t* keys,
                   size_t keyCount, DWORD timeoutMs, MifAnswer* answer)
{
    return Exchange(kBridgeGet, componentId, groupId, attributeId, keys, keyCount, nullptr, 0, timeoutMs,
                    [&](DWORD_PTR answered, const uint8_t* result, const uint8_t* value) -> uint32_t {
                        if (answered == 0)
                            return 0x100;
                        return ReadValue(Word(result, 4), value, answer) ? 0 : kBridgeNoAnswerInTime;
                    });
}

uint32_t BridgeSet(uint32_t componentId, uint32_t groupId, uint32_t attributeId, const uint32_t* keys,
                   size_t keyCount, const void* value, size_t valueBytes, DWORD timeoutMs, uint32_t* result)
{
    return Exchange(kBridgeSet, componentId, groupId, attributeId, keys, keyCount, value, valueBytes, timeoutMs,
                    [&](DWORD_PTR answered, const uint8_t*, const uint8_t*) -> uint32_t {
                        *result = static_cast<uint32_t>(answered);
                        return 0;
                    });
}

}  // namespace service
