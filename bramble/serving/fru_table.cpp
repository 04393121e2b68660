#include "bramble/serving/fru_table.h"

#include <cstring>

namespace bramble {

namespace {

constexpr size_t kDmiDateChars = 25;

bool IsDmiDate(const std::string& text)
{
    if (text.empty()) return true;  // not set yet
    if (text.size() != kDmiDateChars) return false;
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) return false;
    return true;
}

// Reads one text of the record and refuses one longer than its limit.
void ReadText(fw::CArchive& ar, std::string& out, size_t limit)
{
    std::string text;
    ar >> text;
    if (!ar.Ok()) return;
    if (text.size() > limit) {
        ar.Fail(fw::CArchive::Status::badData);
        return;
    }
    out.swap(text);
}

// Smallest stored record: a class-index tag (2 bytes), three integers and
// eight empty texts.
constexpr size_t kMinRecordBytes = 2 + 3 * 4 + 8;

}  // namespace

const fw::CSerialClass FruRecord::kClass = {"FRUobject", 0, fw::CreateSerialObject<FruRecord>};

bool RegisterFruRecord() { return fw::RegisterSerialClass(FruRecord::kClass); }

size_t FruRecord::TextLimit(uint32_t attribute)
{
    switch (attribute) {
    case kFruDescription: return kFruDescriptionMax;
    case kFruManufacturer: return kFruManufacturerMax;
    case kFruModel:
    case kFruPartNumber:
    case kFruSerialNumber:
    case kFruRevision:
    case kFruTelephone: return kFruShortTextMax;
    default: return 0;
    }
}

std::string* FruRecord::TextOf(uint32_t attribute)
{
    switch (attribute) {
    case kFruDescription: return &description;
    case kFruManufacturer: return &manufacturer;
    case kFruModel: return &model;
    case kFruPartNumber: return &partNumber;
    case kFruSerialNumber: return &serialNumber;
    case kFruRevision: return &revision;
    case kFruTelephone: return &telephone;
    default: return nullptr;
    }
}

const std::string* FruRecord::TextOf(uint32_t attribute) const
{
    return const_cast<FruRecord*>(this)->TextOf(attribute);
}

void FruRecord::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << fruIndex << deviceGroup << warrantyDuration;
        ar << description << manufacturer << model << partNumber << serialNumber << revision << telephone
           << warrantyStart;
        return;
    }
    int index = 0, group = 0, duration = 0;
    ar >> index >> group >> duration;
    FruRecord read;
    ReadText(ar, read.description, kFruDescriptionMax);
    ReadText(ar, read.manufacturer, kFruManufacturerMax);
    ReadText(ar, read.model, kFruShortTextMax);
    ReadText(ar, read.partNumber, kFruShortTextMax);
    ReadText(ar, read.serialNumber, kFruShortTextMax);
    ReadText(ar, read.revision, kFruShortTextMax);
    ReadText(ar, read.telephone, kFruShortTextMax);
    ReadText(ar, read.warrantyStart, kDmiDateChars);
    if (!ar.Ok()) return;
    // An index of 0 would be an empty slot that no request can reach.
    if (index == 0 || !IsDmiDate(read.warrantyStart)) {
        ar.Fail(fw::CArchive::Status::badData);
        return;
    }
    fruIndex = index;
    deviceGroup = group;
    warrantyDuration = duration;
    description.swap(read.description);
    manufacturer.swap(read.manufacturer);
    model.swap(read.model);
    partNumber.swap(read.partNumber);
    serialNumber.swap(read.serialNumber);
    revision.swap(read.revision);
    telephone.swap(read.telephone);
    warrantyStart.swap(read.warrantyStart);
}

FruRecord* FruTable::Find(int fruIndex)
{
    for (auto& record : records_)
        if (record->fruIndex == fruIndex) return record.get();
    return nullptr;
}

bool FruTable::Add(const FruRecord& record)
{
    if (records_.size() >= kFruMaxRecords || record.fruIndex == 0 || Find(record.fruIndex)) return false;
    for (uint32_t id = kFruDescription; id <= kFruTelephone; ++id)
        if (const std::string* text = record.TextOf(id))
            if (text->size() > FruRecord::TextLimit(id)) return false;
    if (!IsDmiDate(record.warrantyStart)) return false;
    records_.push_back(std::make_shared<FruRecord>(record));
    return true;
}

bool FruTable::Set(bool hasKey, int key, uint32_t attribute, const void* value, size_t valueBytes)
{
    if (!value || records_.empty()) return false;
    FruRecord* record = hasKey ? Find(key) : records_.front().get();
    if (!record) return false;
    const unsigned char* bytes = static_cast<const unsigned char*>(value);

    if (std::string* text = record->TextOf(attribute)) {
        if (valueBytes < 4) return false;
        uint32_t length = 0;
        std::memcpy(&length, bytes, 4);
        if (length > FruRecord::TextLimit(attribute) || length > valueBytes - 4) return false;
        text->assign(reinterpret_cast<const char*>(bytes + 4), length);
        return true;
    }
    if (attribute == kFruWarrantyStart) {
        if (valueBytes < kFruDateBytes) return false;
        std::string date(reinterpret_cast<const char*>(bytes), kDmiDateChars);
        if (!IsDmiDate(date)) return false;
        record->warrantyStart = date;
        return true;
    }
    if (valueBytes < 4) return false;
    int number = 0;
    std::memcpy(&number, bytes, 4);
    switch (attribute) {
    case kFruIndex:
        // The index is the row's key: 0 or one another record has would lose a row.
        if (number == 0) return false;
        if (number != record->fruIndex && Find(number)) return false;
        record->fruIndex = number;
        return true;
    case kFruDeviceGroup:
        record->deviceGroup = number;
        return true;
    case kFruWarrantyDuration:
        record->warrantyDuration = number;
        return true;
    default:
        return false;
    }
}

bool FruTable::Load(const char* path)
{
    records_.clear();
    RegisterFruRecord();
    fw::CArchive ar(fw::CArchive::load);
    if (!path || !ar.ReadFromFile(path)) return false;
    DWORD count = 0;
    if (!ar.ReadCount(count, kMinRecordBytes) || count > kFruMaxRecords) return false;
    Records loaded;
    loaded.reserve(count);
    for (DWORD i = 0; i < count; ++i) {
        std::shared_ptr<FruRecord> record;
        if (!ar.ReadObject(record, &FruRecord::kClass) || !record) return false;
        // The same object twice, or two records with one index, is no table.
        for (const auto& other : loaded)
            if (other == record || other->fruIndex == record->fruIndex) return false;
        loaded.push_back(std::move(record));
    }
    if (!ar.Ok() || ar.Remaining() != 0) return false;
    records_.swap(loaded);
    return true;
}

bool FruTable::Store(const char* path, DWORD* error) const
{
    DWORD ignored = 0;
    if (!error) error = &ignored;
    *error = 0;
    if (!path || !*path) {
        *error = ERROR_INVALID_NAME;
        return false;
    }
    RegisterFruRecord();
    // The folder of the file (DMIDIR\DATA) may not exist yet.
    std::string folder(path);
    const size_t slash = folder.find_last_of("\\/");
    if (slash != std::string::npos && slash > 0) {
        folder.resize(slash);
        if (!::CreateDirectoryA(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
            *error = ::GetLastError();
            return false;
        }
    }
    fw::CArchive ar(fw::CArchive::store);
    ar.WriteCount(static_cast<DWORD>(records_.size()));
    for (const auto& record : records_) ar.WriteObject(record.get());
    if (!ar.Ok()) {
        *error = ERROR_INVALID_DATA;
        return false;
    }
    if (!ar.WriteToFile(path)) {
        *error = ar.FileError() ? ar.FileError() : ERROR_WRITE_FAULT;
        return false;
    }
    return true;
}

FruTable& TheFruTable()
{
    static FruTable table;
    return table;
}

std::string FruTablePath(const char* installDir)
{
    std::string path = installDir ? installDir : "";
    path += "\\DATA\\FRUTBL.DAT";
    return path;
}

}  // namespace bramble
