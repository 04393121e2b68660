// The FRU table: the field-replaceable units of the PC that group 30 serves,
// kept in memory and stored as an object archive in DMIDIR\DATA\FRUTBL.DAT.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework/archive.h"

namespace bramble {

// Attribute ids of group 30.
enum : uint32_t {
    kFruIndex = 1,
    kFruDeviceGroup = 2,
    kFruDescription = 3,
    kFruManufacturer = 4,
    kFruModel = 5,
    kFruPartNumber = 6,
    kFruSerialNumber = 7,
    kFruRevision = 8,
    kFruWarrantyStart = 9,
    kFruWarrantyDuration = 10,
    kFruTelephone = 11,
};

// Longest text (in bytes) each text attribute takes; the date is 28 bytes.
constexpr size_t kFruDescriptionMax = 255;
constexpr size_t kFruManufacturerMax = 80;
constexpr size_t kFruShortTextMax = 64;  // model, part, serial, revision, telephone
constexpr size_t kFruDateBytes = 28;
// Most records a table holds (and a file may bring).
constexpr size_t kFruMaxRecords = 256;

// One field-replaceable unit; stored in the archive by its class name
// "FRUobject", schema 0.
class FruRecord : public fw::CObject {
public:
    static const fw::CSerialClass kClass;
    const fw::CSerialClass* SerialClass() const override { return &kClass; }
    void Serialize(fw::CArchive& ar) override;

    int fruIndex = 0;
    int deviceGroup = 0;
    int warrantyDuration = 0;
    std::string description;
    std::string manufacturer;
    std::string model;
    std::string partNumber;
    std::string serialNumber;
    std::string revision;
    std::string telephone;
    std::string warrantyStart;  // a DMI date of 25 characters, or empty

    // The longest text an attribute takes; 0 for attributes that are not texts.
    static size_t TextLimit(uint32_t attribute);
    // The text attribute's member; null for attributes that are not texts.
    std::string* TextOf(uint32_t attribute);
    const std::string* TextOf(uint32_t attribute) const;
};

// Registers FruRecord with the archive (harmless when done before).
bool RegisterFruRecord();

class FruTable {
public:
    using Records = std::vector<std::shared_ptr<FruRecord>>;

    const Records& records() const { return records_; }
    // Adds a record (false when the table is full or the index is 0 or taken).
    bool Add(const FruRecord& record);
    void Clear() { records_.clear(); }
    // The record with that FRU index; null when none.
    FruRecord* Find(int fruIndex);

    // Changes one attribute of the record with FRU index key (the first record
    // when hasKey is false). The value is in the DMI encoding of the
    // attribute's type and lies in a buffer of valueBytes bytes. False, with
    // nothing changed, when there is no such record, the attribute is unknown,
    // the value does not fit its limit or an index would be 0 or taken.
    bool Set(bool hasKey, int key, uint32_t attribute, const void* value, size_t valueBytes);

    // Reads the file; a file that cannot be read or is malformed leaves the
    // table empty and answers false.
    bool Load(const char* path);
    // Writes the table to the file, creating its folder when missing. False
    // with the system's error code when it cannot be written.
    bool Store(const char* path, DWORD* error) const;

private:
    Records records_;
};

// The table that bramble serves.
FruTable& TheFruTable();
// DMIDIR followed by "\DATA\FRUTBL.DAT".
std::string FruTablePath(const char* installDir);

}  // namespace bramble
