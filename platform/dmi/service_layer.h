// The service layer's handling of one management command block: checks it,
// answers from the MIF database and the instrumentations, and fills the
// confirm buffer, the entry count and the status as management applications
// read them. Pure logic over memory: the DLL around it owns threads and files.
#pragma once
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "platform/dmi/mif_database.h"

namespace service {

// Statuses of the management interface.
enum : uint32_t {
    kNoError = 0,
    kMoreData = 1,
    kAttributeNotFound = 0x100,
    kComponentNotFound = 0x102,
    kGroupNotFound = 0x104,
    kIllegalKeys = 0x105,
    kOverlayNotFound = 0x107,
    kIllegalToGet = 0x108,
    kRowNotFound = 0x10A,
    kAttributeNotSupported = 0x10D,
    kValueUnknown = 0x10F,
    kBufferFull = 0x200,
    kIllFormedCommand = 0x201,
    kIllegalCommand = 0x202,
    kIllegalHandle = 0x203,
    kNullCompletion = 0x205,
    kNullResponseBuffer = 0x206,
    kIllegalLevel = 0x208,
    kCommandCanceled = 0x20A,
};

constexpr uint32_t kLevelCheck = 0x444D4931;     // what the viewer sends ("1IMD")
constexpr uint32_t kLevelCheck11 = 0x444D3131;   // "11MD", the later level
constexpr size_t kMaxBlockLength = 64 * 1024;
// Components a listing hands out per confirm, so callers must continue.
constexpr size_t kListBatch = 4;

// Where instrumented values come from.
class Instrumentation {
public:
    virtual ~Instrumentation() = default;
    // Fills answer for the named path (e.g. "CORVANEDI"); returns a status.
    virtual uint32_t Get(const std::string& path, uint32_t componentId, uint32_t groupId, uint32_t attributeId,
                         const uint32_t* keys, size_t keyCount, MifAnswer* answer) = 0;
};

struct CommandResult {
    uint32_t status = kNoError;
    uint32_t entryCount = 0;
};

class ServiceLayer {
public:
    ServiceLayer(MifDatabase& database, Instrumentation& instrumentation)
        : database_(database), instrumentation_(instrumentation)
    {
    }

    // Checks a block before it is accepted: level, length, command, handle
    // and the confirm buffer. blockLength is the length the block declares
    // (registration declares none: 72). Returns 0, or the status that refuses
    // it at once.
    uint32_t Check(const uint8_t* block, size_t blockLength) const;

    // Carries out a checked block, writing into its confirm buffer.
    CommandResult Execute(uint8_t* block, size_t blockLength, uint8_t* confirm, size_t confirmLength);

    // Handles given by registration and not yet unregistered.
    bool IsHandle(uint32_t handle) const { return live_.count(handle) != 0; }

private:
    CommandResult List(const uint8_t* block, size_t blockLength, uint8_t* confirm, size_t confirmLength,
                       bool next);
    CommandResult Describe(const uint8_t* block, uint8_t* confirm, size_t confirmLength);
    CommandResult Get(const uint8_t* block, size_t blockLength, uint8_t* confirm, size_t confirmLength);

    MifDatabase& database_;
    Instrumentation& instrumentation_;
    uint32_t lastHandle_ = 0;
    std::set<uint32_t> live_;
};

// The management interface's status for a database answer.
uint32_t StatusOf(MifStatus status);

}  // namespace service
