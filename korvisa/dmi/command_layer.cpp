#include "korvisa/dmi/command_layer.h"

#include <cstring>

#include "common/cp932.h"

namespace korvisa::dmi {

namespace {

// Process-wide blocks and buffers: the main block and its confirm buffer,
// and a second pair for attribute descriptions so that looking up an
// enumeration leaves the main confirm buffer as it was.
uint8_t g_block[kBlockSize];
uint8_t g_confirm[kConfirmSize];
uint8_t g_descBlock[kBlockSize];
uint8_t g_descConfirm[kConfirmSize];

ServiceEntry g_entry = nullptr;
uint32_t g_handle = 0;
bool g_registered = false;
volatile LONG g_commandDone = 0;
// Set when the wait gave up on a command: the service layer may still write
// into the blocks until that command's completion routine runs.
bool g_abandoned = false;
DWORD g_waitLimit = kCompletionWaitMs;
uint32_t g_lastStatus = 0;

void WINAPI CompletionRoutine(ULONG)
{
    ::InterlockedExchange(&g_commandDone, 1);
}

uint32_t Address(const void* p)
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
}

// True while a command the wait gave up on has not completed yet; no block may
// be filled or handed over until it has.
bool ServiceStillBusy()
{
    if (g_abandoned && ::InterlockedCompareExchange(&g_commandDone, 0, 0) == 0)
        return true;
    g_abandoned = false;
    return false;
}

// Runs a filled block: an immediate status other than 0 or 1 is final;
// otherwise the completion routine ends the wait, bounded so that a service
// layer that never completes cannot hang the viewer.
uint32_t Run(uint8_t* commandBlock)
{
    ::InterlockedExchange(&g_commandDone, 0);
    if (!g_entry)
        return kStatusNoCompletion;
    uint32_t immediate = g_entry(commandBlock);
    if (immediate != kStatusOk && immediate != kStatusMoreData)
        return immediate;
    DWORD start = ::GetTickCount();
    while (::InterlockedCompareExchange(&g_commandDone, 0, 0) == 0) {
        if (::GetTickCount() - start >= g_waitLimit) {
            g_abandoned = true;
            return kStatusNoCompletion;
        }
        ::Sleep(0);
    }
    return Word(commandBlock, block::kStatus);
}

int Fail(uint32_t status)
{
    g_lastStatus = status;
    return 1;
}

// A string in a confirm buffer: 4-byte length then the characters, all
// inside the buffer, or nothing.
bool ConfirmString(const uint8_t* buffer, uint32_t offset, const uint8_t** text, uint32_t* length)
{
    if (offset > kConfirmSize - 4)
        return false;
    uint32_t n = Word(buffer, offset);
    if (n > kConfirmSize - 4 - offset)
        return false;
    *text = buffer + offset + 4;
    *length = n;
    return true;
}

void PutClass(uint8_t* commandBlock, const char* componentClass)
{
    if (!componentClass) {
        PutWord(commandBlock, block::kListClassOffset, 0);
        return;
    }
    size_t bytes = cp932::PrefixBytes(componentClass, std::strlen(componentClass), cp932::kUnlimited,
                                      kMaxClassChars);
    PutWord(commandBlock, block::kListClassOffset, block::kListClass);
    PutWord(commandBlock, block::kListClass, static_cast<uint32_t>(bytes));
    std::memcpy(commandBlock + block::kListClass + 4, componentClass, bytes);
}

// Walks the listing of components (of a class), batch after batch, handing
// each entry's id and name to `visit`. 0x102 ends it normally.
template <class Visit>
int WalkComponents(const char* componentClass, Visit visit)
{
    std::memset(g_block + block::kBody, 0, kBlockSize - block::kBody);
    PutWord(g_block, block::kListAfterId, 0);
    PutClass(g_block, componentClass);
    uint32_t command = kCmdListComponents;
    bool haveLast = false;
    uint32_t lastId = 0;
    for (;;) {
        uint32_t status = IssueCommand(g_block, g_confirm, command);
        if (status == kStatusComponentNotFound)
            return 0;
        if (status != kStatusOk && status != kStatusMoreData)
            return Fail(status);
        uint32_t count = Word(g_block, block::kEntryCount);
        if (count > kConfirmSize / confirm::kListEntrySize)
            return Fail(kStatusBadConfirm);
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* entry = g_confirm + i * confirm::kListEntrySize;
            const uint8_t* name = nullptr;
            uint32_t nameLength = 0;
            if (!ConfirmString(g_confirm, Word(entry, confirm::kListEntryName), &name, &nameLength))
                return Fail(kStatusBadConfirm);
            visit(Word(entry, confirm::kListEntryId), name, nameLength);
        }
        if (status == kStatusOk)
            return 0;
        // More to come: continue after the last id, which must move on (ids
        // come in rising order), or a confused service layer would keep the
        // viewer listing for ever.
        if (count == 0)
            return Fail(kStatusBadConfirm);
        uint32_t last = Word(g_confirm, (count - 1) * confirm::kListEntrySize + confirm::kListEntryId);
        if (haveLast && last <= lastId)
            return Fail(kStatusBadConfirm);
        haveLast = true;
        lastId = last;
        PutWord(g_block, block::kListAfterId, last);
        command = kCmdListComponentsNext;
    }
}

// The enumeration text of `value` for an attribute, looked up on the second
// block. Returns 0 with *hasTable telling whether there is an enumeration and
// *text its entry for the value (nullptr when it has none); 1 on failure.
int LookUpEnumeration(uint32_t componentId, uint32_t groupId, uint32_t attributeId, uint32_t value, bool* hasTable,
                      const uint8_t** text, uint32_t* length)
{
    std::memset(g_descBlock + block::kBody, 0, kBlockSize - block::kBody);
    PutWord(g_descBlock, block::kDescComponent, componentId);
    PutWord(g_descBlock, block::kDescGroup, groupId);
    PutWord(g_descBlock, block::kDescAttribute, attributeId);
    uint32_t status = IssueCommand(g_descBlock, g_descConfirm, kCmdAttributeDescription);
    if (status != kStatusOk && status != kStatusMoreData)
        return Fail(status);
    uint32_t entries = Word(g_descConfirm, confirm::kDescEnumCount);
    uint32_t table = Word(g_descConfirm, confirm::kDescEnumTable);
    *hasTable = entries != 0;
    if (entries == 0)
        return 0;
    if (table > kConfirmSize || entries > (kConfirmSize - table) / confirm::kEnumEntrySize)
        return Fail(kStatusBadConfirm);
    for (uint32_t i = 0; i < entries; ++i) {
        const uint8_t* entry = g_descConfirm + table + i * confirm::kEnumEntrySize;
        if (Word(entry, 0) != value)
            continue;
        if (!ConfirmString(g_descConfirm, Word(entry, 4), text, length))
            return Fail(kStatusBadConfirm);
        return 0;
    }
    *text = nullptr;
    return 0;
}

// Copies text into buffer, cut without splitting a double-byte character,
// terminated; returns the bytes copied.
uint32_t CopyText(const uint8_t* text, uint32_t length, void* buffer, uint32_t bufferSize)
{
    if (bufferSize == 0)
        return 0;
    return static_cast<uint32_t>(cp932::CopyBoundedN(static_cast<char*>(buffer), bufferSize,
                                                     reinterpret_cast<const char*>(text), length));
}

uint32_t FixedSize(uint32_t type)
{
    switch (type) {
    case 1: case 2: case 3: case 5: case 6:
        return 4;   // 64-bit kinds too: the viewer reads four bytes of them
    case 11:
        return 28;
    default:
        return 0;
    }
}

}  // namespace

void SetServiceEntry(ServiceEntry entry)
{
    g_entry = entry;
}

bool IsRegistered()
{
    return g_registered;
}

uint32_t ManagementHandle()
{
    return g_handle;
}

uint32_t LastServiceStatus()
{
    return g_lastStatus;
}

uint32_t IssueCommand(uint8_t* commandBlock, uint8_t* confirmBuffer, uint32_t command)
{
    if (ServiceStillBusy())
        return kStatusNoCompletion;
    PutWord(commandBlock, block::kLevel, kLevelCheck);
    PutWord(commandBlock, block::kCommand, command);
    PutWord(commandBlock, block::kLength, kBlockSize);
    PutWord(commandBlock, block::kHandle, g_handle);
    PutWord(commandBlock, block::kWord16, 1);
    PutWord(commandBlock, block::kWord20, 0);
    PutWord(commandBlock, block::kWord24, 0);
    PutWord(commandBlock, block::kConfirmLength, kConfirmSize);
    PutWord(commandBlock, block::kConfirmAddress, Address(confirmBuffer));
    PutWord(commandBlock, block::kWord36, 1);
    PutWord(commandBlock, block::kEntryCount, 0);
    PutWord(commandBlock, block::kStatus, 0);
    PutWord(commandBlock, block::kWord48, 64);
    PutWord(commandBlock, block::kWord52, kConfirmSize);
    PutWord(commandBlock, block::kConfirmAddress2, Address(confirmBuffer));
    PutWord(commandBlock, block::kCompletion, Address(reinterpret_cast<const void*>(&CompletionRoutine)));
    return Run(commandBlock);
}

int RegisterManagement()
{
    g_registered = true;
    PutWord(g_block, block::kLevel, kLevelCheck);
    PutWord(g_block, block::kCommand, kCmdRegister);
    PutWord(g_block, block::kLength, 4);
    PutWord(g_block, block::kWord16, 1);
    PutWord(g_block, block::kWord20, 0);
    PutWord(g_block, block::kWord24, 0);
    PutWord(g_block, block::kConfirmLength, kConfirmSize);
    PutWord(g_block, block::kConfirmAddress, Address(g_confirm));
    PutWord(g_block, block::kWord36, 1);
    PutWord(g_block, block::kRegisterCompletion, Address(reinterpret_cast<const void*>(&CompletionRoutine)));
    PutWord(g_block, block::kRegisterCompletion + 4, 0);
    uint32_t status = Run(g_block);
    if (status != kStatusOk)
        return Fail(status);
    g_handle = Word(g_confirm, confirm::kRegisterHandle);
    return 0;
}

int UnregisterManagement()
{
    if (ServiceStillBusy())
        return Fail(kStatusNoCompletion);
    PutWord(g_block, block::kLevel, kLevelCheck);
    PutWord(g_block, block::kCommand, kCmdUnregister);
    PutWord(g_block, block::kLength, kBlockSize);
    PutWord(g_block, block::kHandle, g_handle);
    PutWord(g_block, block::kWord16, 1);
    PutWord(g_block, block::kWord20, 0);
    PutWord(g_block, block::kWord24, 0);
    PutWord(g_block, block::kConfirmLength, 0);
    PutWord(g_block, block::kConfirmAddress, 0);
    PutWord(g_block, block::kWord36, 1);
    uint32_t status = Run(g_block);
    if (status != kStatusOk)
        return Fail(status);
    g_handle = 0;
    return 0;
}

int CountComponents(const char* componentClass, uint32_t* count, uint32_t* nameBytes)
{
    uint32_t n = 0, bytes = 0;
    int result = WalkComponents(componentClass, [&](uint32_t, const uint8_t*, uint32_t length) {
        ++n;
        bytes += length + 1;
    });
    if (count)
        *count = n;
    if (nameBytes)
        *nameBytes = bytes;
    return result;
}

int ListComponents(const char* componentClass, uint32_t* ids, uint32_t capacity, char (*names)[64],
                   uint32_t* listed)
{
    uint32_t n = 0;
    int result = WalkComponents(componentClass, [&](uint32_t id, const uint8_t* name, uint32_t length) {
        if (n >= capacity)
            return;
        ids[n] = id;
        if (names) {
            // 63 characters at most, and never more bytes than the slot holds.
            size_t cut = cp932::PrefixBytes(reinterpret_cast<const char*>(name), length, 63, 63);
            std::memcpy(names[n], name, cut);
            names[n][cut] = '\0';
        }
        ++n;
    });
    if (listed)
        *listed = n;
    return result;
}

int FindFirstComponent(const char* componentClass, uint32_t* componentId)
{
    std::memset(g_block + block::kBody, 0, kBlockSize - block::kBody);
    PutClass(g_block, componentClass);
    uint32_t status = IssueCommand(g_block, g_confirm, kCmdListComponents);
    if (status != kStatusOk && status != kStatusMoreData)
        return Fail(status);
    if (Word(g_block, block::kEntryCount) == 0)
        return Fail(kStatusComponentNotFound);
    *componentId = Word(g_confirm, confirm::kListEntryId);
    return 0;
}

int GetAttribute(uint32_t componentId, uint32_t groupId, uint32_t attributeId, uint32_t keyValue, void* buffer,
                 uint32_t bufferSize, uint32_t* length, uint32_t* dataType, bool rawInteger)
{
    *length = 0;
    std::memset(g_block + block::kBody, 0, kBlockSize - block::kBody);
    PutWord(g_block, block::kGetComponent, componentId);
    PutWord(g_block, block::kGetGroup, groupId);
    PutWord(g_block, block::kGetAttribute, attributeId);
    if (keyValue != 0) {
        // One key entry {attribute 1, integer, value offset} and its value.
        PutWord(g_block, block::kGetKeyCount, 1);
        PutWord(g_block, block::kGetKeyListOffset, block::kGetKeyList);
        PutWord(g_block, block::kGetKeyList, 1);
        PutWord(g_block, block::kGetKeyList + 4, 5);
        PutWord(g_block, block::kGetKeyList + 8, block::kGetKeyValue);
        PutWord(g_block, block::kGetKeyValue, keyValue);
    }
    uint32_t status = IssueCommand(g_block, g_confirm, kCmdGetAttribute);
    if (status != kStatusOk && status != kStatusMoreData)
        return Fail(status);

    uint32_t type = Word(g_confirm, confirm::kGetType);
    uint32_t valueOffset = Word(g_confirm, confirm::kGetValueOffset);
    if ((type == 5 || type == 1) && !rawInteger) {
        if (valueOffset > kConfirmSize - 4)
            return Fail(kStatusBadConfirm);
        uint32_t value = Word(g_confirm, valueOffset);
        bool hasTable = false;
        const uint8_t* text = nullptr;
        uint32_t textLength = 0;
        if (LookUpEnumeration(componentId, groupId, attributeId, value, &hasTable, &text, &textLength) != 0)
            return 1;
        if (hasTable) {
            if (!text)
                return Fail(kStatusNotEnumerated);
            // Enumeration texts are at most 255 characters.
            size_t cut = cp932::PrefixBytes(reinterpret_cast<const char*>(text), textLength, cp932::kUnlimited, 255);
            *length = CopyText(text, static_cast<uint32_t>(cut), buffer, bufferSize);
            *dataType = 8;
            return 0;
        }
    }

    *dataType = type;
    if (type == 7 || type == 8) {
        const uint8_t* text = nullptr;
        uint32_t textLength = 0;
        if (!ConfirmString(g_confirm, valueOffset, &text, &textLength))
            return Fail(kStatusBadConfirm);
        *length = CopyText(text, textLength, buffer, bufferSize);
        return 0;
    }
    uint32_t size = FixedSize(type);
    if (size > 0 && valueOffset > kConfirmSize - size)
        return Fail(kStatusBadConfirm);
    uint32_t copied = size < bufferSize ? size : bufferSize;
    std::memcpy(buffer, g_confirm + valueOffset, copied);
    *length = copied;
    return 0;
}

ManagementRegistration::ManagementRegistration(ServiceEntry entry)
{
    SetServiceEntry(entry);
    if (!g_registered)
        RegisterManagement();
}

ManagementRegistration::~ManagementRegistration()
{
    if (g_registered) {
        UnregisterManagement();
        g_registered = false;
    }
}

void ResetForTests(DWORD completionWaitMs)
{
    g_waitLimit = completionWaitMs;
    std::memset(g_block, 0, sizeof g_block);
    std::memset(g_confirm, 0, sizeof g_confirm);
    std::memset(g_descBlock, 0, sizeof g_descBlock);
    std::memset(g_descConfirm, 0, sizeof g_descConfirm);
    g_handle = 0;
    g_registered = false;
    g_lastStatus = 0;
    g_entry = nullptr;
    g_abandoned = false;
}

}  // namespace korvisa::dmi
