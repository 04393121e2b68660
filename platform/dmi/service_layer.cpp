#include "platform/dmi/service_layer.h"

#include "common/byte_fields.h"
#include "common/cp932.h"

#include <cstring>
#include <vector>

namespace service {

namespace {

using le::PutWord;
using le::Word;

constexpr size_t kMaxListedName = 256;


// Variable data is packed from the end of the confirm buffer downward, as
// the management interface lays it out; fixed entries grow from the start.
class ConfirmWriter {
public:
    ConfirmWriter(uint8_t* buffer, size_t size) : buffer_(buffer), size_(size), low_(0), high_(size) {}

    // Room for a fixed entry at the start; its offset, or -1.
    long Fixed(size_t bytes)
    {
        if (high_ - low_ < bytes)
            return -1;
        long at = static_cast<long>(low_);
        low_ += bytes;
        return at;
    }
    // Room for data at the end, 4-byte aligned; its offset, or -1.
    long Data(size_t bytes)
    {
        size_t aligned = (bytes + 3) & ~size_t(3);
        if (high_ - low_ < aligned)
            return -1;
        high_ -= aligned;
        return static_cast<long>(high_);
    }
    long String(const std::string& text)
    {
        long at = Data(4 + text.size());
        if (at >= 0) {
            PutWord(buffer_, static_cast<size_t>(at), static_cast<uint32_t>(text.size()));
            std::memcpy(buffer_ + at + 4, text.data(), text.size());
        }
        return at;
    }
    uint8_t* At(long offset) { return buffer_ + offset; }
    size_t Size() const { return size_; }

private:
    uint8_t* buffer_;
    size_t size_, low_, high_;
};

// A DMI string in the command block at `offset`, checked against its length.
bool BlockString(const uint8_t* block, size_t blockLength, uint32_t offset, std::string* out)
{
    if (offset < 64 || offset > blockLength - 4)
        return false;
    uint32_t length = Word(block, offset);
    if (length > blockLength - 4 - offset)
        return false;
    out->assign(reinterpret_cast<const char*>(block + offset + 4), length);
    return true;
}

// One key of a get request: the entry {attribute id, data type, value offset}
// at `entry` and the value it points at, read by the type. kNoError, or
// kIllFormedCommand when the value lies outside the block, kIllegalKeys for a
// type no key can have.
uint32_t ReadKey(const uint8_t* block, size_t blockLength, size_t entry, MifKey* key)
{
    const uint32_t id = Word(block, entry), type = Word(block, entry + 4), at = Word(block, entry + 8);
    if (at < 64 || at > blockLength)
        return kIllFormedCommand;
    const size_t room = blockLength - at;
    switch (type) {
    case dmi::kCounter: case dmi::kGauge: case dmi::kInteger:
        if (room < 4)
            return kIllFormedCommand;
        *key = MifKey::Number(id, Word(block, at));
        return kNoError;
    case dmi::kCounter64: case dmi::kInteger64:
        if (room < 8)
            return kIllFormedCommand;
        *key = MifKey::Number(id, Word(block, at) | static_cast<uint64_t>(Word(block, at + 4)) << 32);
        return kNoError;
    case dmi::kOctetString: case dmi::kDisplayString: {
        if (room < 4 || Word(block, at) > room - 4)
            return kIllFormedCommand;
        *key = MifKey::Text(id, std::string(reinterpret_cast<const char*>(block + at + 4), Word(block, at)));
        return kNoError;
    }
    case dmi::kDate:
        if (room < dmi::kDateFieldSize)
            return kIllFormedCommand;
        *key = MifKey::Text(id, std::string(reinterpret_cast<const char*>(block + at), dmi::kDateFieldSize));
        return kNoError;
    default:
        return kIllegalKeys;
    }
}

}  // namespace

uint32_t StatusOf(MifStatus status)
{
    switch (status) {
    case MifStatus::kOk: return kNoError;
    case MifStatus::kInstrumented: return kOverlayNotFound;
    case MifStatus::kNoComponent: return kComponentNotFound;
    case MifStatus::kNoGroup: return kGroupNotFound;
    case MifStatus::kNoAttribute: return kAttributeNotFound;
    case MifStatus::kNoRow: return kRowNotFound;
    case MifStatus::kBadKeys: return kIllegalKeys;
    case MifStatus::kUnsupported: return kAttributeNotSupported;
    case MifStatus::kValueUnknown: return kValueUnknown;
    case MifStatus::kNotReadable: return kIllegalToGet;
    }
    return kIllFormedCommand;
}

uint32_t ServiceLayer::Check(const uint8_t* block, size_t blockLength) const
{
    if (!block)
        return kIllFormedCommand;
    uint32_t level = Word(block, 0);
    if (level != kLevelCheck && level != kLevelCheck11)
        return kIllegalLevel;
    if (blockLength < 64 || blockLength > kMaxBlockLength)
        return kIllFormedCommand;
    uint32_t command = Word(block, 4);
    switch (command) {
    case 0x100:
        if (blockLength < 72)
            return kIllFormedCommand;
        if (Word(block, 64) == 0)
            return kNullCompletion;
        break;
    case 0x101:
        if (!IsHandle(Word(block, 12)))
            return kIllegalHandle;
        break;
    case 0x201: case 0x202: case 0x208: case 0x300:
        if (!IsHandle(Word(block, 12)))
            return kIllegalHandle;
        if (blockLength < 84)
            return kIllFormedCommand;
        break;
    default:
        return kIllegalCommand;
    }
    if (command != 0x101 && (Word(block, 32) == 0 || Word(block, 28) < 16))
        return kNullResponseBuffer;
    return kNoError;
}

CommandResult ServiceLayer::Execute(uint8_t* block, size_t blockLength, uint8_t* confirm, size_t confirmLength)
{
    const uint32_t command = Word(block, 4);
    // A handle unregistered while this block waited is no longer good.
    if (command != 0x100 && !IsHandle(Word(block, 12)))
        return {kIllegalHandle, 0};
    switch (command) {
    case 0x100: {
        std::memset(confirm, 0, confirmLength);
        PutWord(confirm, 8, ++lastHandle_);
        live_.insert(lastHandle_);
        return {kNoError, 1};
    }
    case 0x101:
        live_.erase(Word(block, 12));
        return {kNoError, 0};
    case 0x201: return List(block, blockLength, confirm, confirmLength, false);
    case 0x202: return List(block, blockLength, confirm, confirmLength, true);
    case 0x208: return Describe(block, confirm, confirmLength);
    case 0x300: return Get(block, blockLength, confirm, confirmLength);
    default: return {kIllegalCommand, 0};
    }
}

CommandResult ServiceLayer::List(const uint8_t* block, size_t blockLength, uint8_t* confirm, size_t confirmLength,
                                 bool next)
{
    std::string filter;
    uint32_t classOffset = Word(block, 68);
    if (classOffset != 0 && !BlockString(block, blockLength, classOffset, &filter))
        return {kIllFormedCommand, 0};
    std::vector<uint32_t> ids;
    bool more = false;
    database_.ListComponents(classOffset ? &filter : nullptr, next ? Word(block, 64) : 0, kListBatch, &ids, &more);
    if (ids.empty())
        return {kComponentNotFound, 0};

    std::memset(confirm, 0, confirmLength);
    ConfirmWriter writer(confirm, confirmLength);
    uint32_t written = 0;
    for (uint32_t id : ids) {
        std::string name;
        database_.ComponentName(id, &name);
        // A name a MIF makes longer than any confirm buffer would hide every
        // component behind it: the listing carries at most 256 bytes of it.
        if (name.size() > kMaxListedName)
            name.resize(cp932::PrefixBytes(name.data(), name.size(), kMaxListedName, cp932::kUnlimited));
        long entry = writer.Fixed(28);
        long nameAt = entry >= 0 ? writer.String(name) : -1;
        if (nameAt < 0) {
            // What fitted goes out; the caller continues after the last one.
            return {written ? kMoreData : kBufferFull, written};
        }
        PutWord(writer.At(entry), 0, id);
        PutWord(writer.At(entry), 8, static_cast<uint32_t>(nameAt));
        ++written;
    }
    return {more ? kMoreData : kNoError, written};
}

CommandResult ServiceLayer::Describe(const uint8_t* block, uint8_t* confirm, size_t confirmLength)
{
    MifAttribute attribute;
    MifStatus status = database_.DescribeAttribute(Word(block, 64), Word(block, 68), Word(block, 72), &attribute);
    if (status != MifStatus::kOk)
        return {StatusOf(status), 0};
    std::memset(confirm, 0, confirmLength);
    ConfirmWriter writer(confirm, confirmLength);
    long entry = writer.Fixed(28);
    long nameAt = entry >= 0 ? writer.String(attribute.name) : -1;
    long table = nameAt >= 0 ? writer.Data(attribute.enumEntries.size() * 8) : -1;
    if (table < 0)
        return {kBufferFull, 0};
    PutWord(writer.At(entry), 0, attribute.id);
    PutWord(writer.At(entry), 4, static_cast<uint32_t>(nameAt));
    PutWord(writer.At(entry), 8, static_cast<uint32_t>(attribute.access));
    PutWord(writer.At(entry), 12, static_cast<uint32_t>(attribute.type));
    PutWord(writer.At(entry), 16, attribute.maxLength);
    PutWord(writer.At(entry), 20, static_cast<uint32_t>(attribute.enumEntries.size()));
    PutWord(writer.At(entry), 24, attribute.enumEntries.empty() ? 0 : static_cast<uint32_t>(table));
    for (size_t i = 0; i < attribute.enumEntries.size(); ++i) {
        long text = writer.String(attribute.enumEntries[i].text);
        if (text < 0)
            return {kBufferFull, 0};
        PutWord(writer.At(table), i * 8, static_cast<uint32_t>(attribute.enumEntries[i].value));
        PutWord(writer.At(table), i * 8 + 4, static_cast<uint32_t>(text));
    }
    return {kNoError, 1};
}

CommandResult ServiceLayer::Get(const uint8_t* block, size_t blockLength, uint8_t* confirm, size_t confirmLength)
{
    const uint32_t component = Word(block, 64), group = Word(block, 68), attribute = Word(block, 80);
    uint32_t keyCount = Word(block, 72);
    if (keyCount > 3)
        return {kIllegalKeys, 0};
    // Key entries {attribute id, type, value offset} and their values must lie
    // inside the block.
    std::vector<MifKey> keys;
    std::vector<uint32_t> keyValues;   // what instrumentation takes: row numbers
    bool numbersOnly = true;
    uint32_t list = Word(block, 76);
    for (uint32_t k = 0; k < keyCount; ++k) {
        size_t entry = static_cast<size_t>(list) + k * 12;
        if (list < 64 || list > blockLength || entry > blockLength - 12)
            return {kIllFormedCommand, 0};
        MifKey key;
        uint32_t status = ReadKey(block, blockLength, entry, &key);
        if (status != kNoError)
            return {status, 0};
        numbersOnly = numbersOnly && key.value.kind == MifValueKind::kNumber;
        keyValues.push_back(static_cast<uint32_t>(key.value.number));
        keys.push_back(key);
    }
    MifAnswer answer;
    MifStatus status = database_.GetValue(component, group, attribute, keys.data(), keys.size(), &answer);
    if (status == MifStatus::kInstrumented) {
        if (!numbersOnly)
            return {kIllegalKeys, 0};
        uint32_t forwarded = instrumentation_.Get(answer.instrumentation, component, group, attribute,
                                                  keyValues.data(), keyValues.size(), &answer);
        if (forwarded != kNoError)
            return {forwarded, 0};
    } else if (status != MifStatus::kOk) {
        return {StatusOf(status), 0};
    }
    std::memset(confirm, 0, confirmLength);
    ConfirmWriter writer(confirm, confirmLength);
    long entry = writer.Fixed(16);
    size_t size = MifAnswerValueSize(answer);
    long value = entry >= 0 ? writer.Data(size) : -1;
    if (value < 0 || WriteMifAnswerValue(answer, writer.At(value), size) != size)
        return {kBufferFull, 0};
    PutWord(writer.At(entry), 0, group);
    PutWord(writer.At(entry), 4, attribute);
    PutWord(writer.At(entry), 8, static_cast<uint32_t>(answer.type));
    PutWord(writer.At(entry), 12, static_cast<uint32_t>(value));
    return {kNoError, 1};
}

}  // namespace service
