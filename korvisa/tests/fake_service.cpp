#include "korvisa/tests/fake_service.h"

#include <cstring>

#include "korvisa/dmi/command_block.h"

using namespace korvisa::dmi;

FakeService& FakeService::Instance()
{
    static FakeService service;
    return service;
}

void FakeService::Join()
{
    if (completion_.joinable())
        completion_.join();
}

void FakeService::Reset()
{
    Join();
    components_.clear();
    values_.clear();
    enums_.clear();
    blocks.clear();
    batchSize = 3;
    immediateStatus = 0;
    neverComplete = false;
    completionDelayMs = 2;
    spoil = nullptr;
}

void FakeService::AddComponent(uint32_t id, const std::string& name, const std::string& componentClass)
{
    components_.push_back({id, name, componentClass});
}

void FakeService::SetInteger(uint32_t component, uint32_t group, uint32_t attribute, uint32_t key, uint32_t type,
                             uint32_t value)
{
    values_[{component, group, attribute, key}] = {type, std::string(reinterpret_cast<char*>(&value), 4)};
}

void FakeService::SetString(uint32_t component, uint32_t group, uint32_t attribute, uint32_t key,
                            const std::string& text)
{
    uint32_t length = static_cast<uint32_t>(text.size());
    values_[{component, group, attribute, key}] = {8, std::string(reinterpret_cast<char*>(&length), 4) + text};
}

void FakeService::SetDate(uint32_t component, uint32_t group, uint32_t attribute, uint32_t key,
                          const std::string& text)
{
    std::string field(28, '\0');
    field.replace(0, text.size() < 28 ? text.size() : 28, text, 0, 28);
    values_[{component, group, attribute, key}] = {11, field};
}

void FakeService::SetEnumeration(uint32_t component, uint32_t group, uint32_t attribute,
                                 std::vector<std::pair<uint32_t, std::string>> entries)
{
    enums_[{component, group, attribute}] = std::move(entries);
}

ULONG WINAPI FakeService::Entry(void* blockAddress)
{
    FakeService& self = Instance();
    self.Join();
    auto* block = static_cast<uint8_t*>(blockAddress);
    self.blocks.emplace_back(block, block + kBlockSize);
    if (self.immediateStatus != 0)
        return self.immediateStatus;

    uint32_t command = Word(block, block::kCommand);
    auto* confirm = reinterpret_cast<uint8_t*>(static_cast<uintptr_t>(Word(block, block::kConfirmAddress)));
    uint32_t completionAddress = Word(block, command == kCmdRegister ? block::kRegisterCompletion
                                                                       : block::kCompletion);
    uint32_t status = kStatusOk;
    if (command == kCmdRegister) {
        std::memset(confirm, 0, kConfirmSize);
        PutWord(confirm, confirm::kRegisterHandle, self.handle);
    } else if (command != kCmdUnregister) {
        std::memset(confirm, 0, kConfirmSize);
        status = self.Answer(block, confirm);
        if (self.spoil)
            self.spoil(block, confirm);
    }
    PutWord(block, block::kStatus, status);
    if (self.neverComplete)
        return 0;
    auto completion = reinterpret_cast<void(WINAPI*)(ULONG)>(static_cast<uintptr_t>(completionAddress));
    DWORD delay = self.completionDelayMs;
    self.completion_ = std::thread([completion, delay] {
        ::Sleep(delay);
        completion(0);
    });
    return 0;
}

uint32_t FakeService::Answer(uint8_t* block, uint8_t* confirm)
{
    if (Word(block, block::kLevel) != kLevelCheck)
        return 0x200;
    switch (Word(block, block::kCommand)) {
    case kCmdListComponents: return List(block, confirm, false);
    case kCmdListComponentsNext: return List(block, confirm, true);
    case kCmdGetAttribute: return Get(block, confirm);
    case kCmdAttributeDescription: return Describe(block, confirm);
    default: return 0x201;
    }
}

uint32_t FakeService::List(uint8_t* block, uint8_t* confirm, bool next)
{
    std::string wanted;
    bool filtered = Word(block, block::kListClassOffset) != 0;
    if (filtered) {
        uint32_t offset = Word(block, block::kListClassOffset);
        wanted.assign(reinterpret_cast<char*>(block + offset + 4), Word(block, offset));
    }
    uint32_t after = next ? Word(block, block::kListAfterId) : 0;
    std::vector<const FakeComponent*> matching;
    for (const FakeComponent& c : components_)
        if ((!filtered || c.componentClass == wanted) && (!next || c.id > after))
            matching.push_back(&c);
    if (matching.empty())
        return kStatusComponentNotFound;
    size_t count = matching.size() < batchSize ? matching.size() : batchSize;
    size_t names = count * confirm::kListEntrySize;
    for (size_t i = 0; i < count; ++i) {
        uint8_t* entry = confirm + i * confirm::kListEntrySize;
        PutWord(entry, confirm::kListEntryId, matching[i]->id);
        PutWord(entry, confirm::kListEntryName, static_cast<uint32_t>(names));
        PutWord(confirm, names, static_cast<uint32_t>(matching[i]->name.size()));
        std::memcpy(confirm + names + 4, matching[i]->name.data(), matching[i]->name.size());
        names += 4 + matching[i]->name.size();
    }
    PutWord(block, block::kEntryCount, static_cast<uint32_t>(count));
    return count < matching.size() ? kStatusMoreData : kStatusOk;
}

uint32_t FakeService::Get(uint8_t* block, uint8_t* confirm)
{
    uint32_t key = 0;
    if (Word(block, block::kGetKeyCount) == 1) {
        uint32_t list = Word(block, block::kGetKeyListOffset);
        key = Word(block, Word(block, list + 8));
    }
    auto found = values_.find({Word(block, block::kGetComponent), Word(block, block::kGetGroup),
                               Word(block, block::kGetAttribute), key});
    if (found == values_.end())
        return 0x104;   // attribute not found
    PutWord(confirm, confirm::kGetType, found->second.type);
    PutWord(confirm, confirm::kGetValueOffset, 64);
    std::memcpy(confirm + 64, found->second.bytes.data(), found->second.bytes.size());
    return kStatusOk;
}

uint32_t FakeService::Describe(uint8_t* block, uint8_t* confirm)
{
    auto found = enums_.find({Word(block, block::kDescComponent), Word(block, block::kDescGroup),
                              Word(block, block::kDescAttribute)});
    if (found == enums_.end())
        return kStatusOk;   // no enumeration: count 0
    const auto& entries = found->second;
    const uint32_t table = 32;
    uint32_t texts = table + static_cast<uint32_t>(entries.size()) * confirm::kEnumEntrySize;
    PutWord(confirm, confirm::kDescEnumCount, static_cast<uint32_t>(entries.size()));
    PutWord(confirm, confirm::kDescEnumTable, table);
    for (size_t i = 0; i < entries.size(); ++i) {
        PutWord(confirm, table + i * 8, entries[i].first);
        PutWord(confirm, table + i * 8 + 4, texts);
        PutWord(confirm, texts, static_cast<uint32_t>(entries[i].second.size()));
        std::memcpy(confirm + texts + 4, entries[i].second.data(), entries[i].second.size());
        texts += 4 + static_cast<uint32_t>(entries[i].second.size());
    }
    return kStatusOk;
}
