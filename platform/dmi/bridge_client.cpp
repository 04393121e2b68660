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

}  // namespace

uint32_t BridgeGet(uint32_t componentId, uint32_t groupId, uint32_t attributeId, const uint32_t* keys,
                   size_t keyCount, DWORD timeoutMs, MifAnswer* answer)
{
    if (keyCount > kKeySlots)
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
            value("HELMSETMIFDATA", kAreaSize);
        HWND window = ::FindWindowA("corvanedmici", nullptr);
        if (header.Data() && keyList.Data() && keyData.Data() && result.Data() && value.Data() && window) {
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
            DWORD_PTR answered = 0;
            if (!::SendMessageTimeoutA(window, kBridgeGet, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &answered))
                status = kBridgeNoAnswerInTime;
            else if (answered == 0)
                status = 0x100;
            else if (!ReadValue(Word(result.Data(), 4), value.Data(), answer))
                status = kBridgeNoAnswerInTime;
            else
                status = 0;
        }
    }
    ::ReleaseSemaphore(semaphore, 1, nullptr);
    ::CloseHandle(semaphore);
    return status;
}

}  // namespace service
