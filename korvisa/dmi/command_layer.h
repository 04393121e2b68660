// The viewer's one way to the DMI service layer: a process-wide command
// block, the service layer's command entry, and a wait for the completion
// routine. One request at a time, from the user-interface thread.
//
// Operations return 0 for success and 1 for failure (the failing status is
// kept as the last service status), except IssueCommand, which returns the
// command's final status.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "korvisa/dmi/command_block.h"

namespace korvisa::dmi {

// The service layer's command entry: takes a command block, returns at once.
using ServiceEntry = ULONG(WINAPI*)(void* block);

// Which command entry the layer calls (the program binds the real one; tests
// bind their own). Without one, every command fails.
void SetServiceEntry(ServiceEntry entry);

// How long the layer waits for a completion routine before it gives up. The
// command given up on still owns the blocks: later commands fail with the same
// status, without being handed over, until its completion routine has run.
constexpr DWORD kCompletionWaitMs = 30000;

int RegisterManagement();
int UnregisterManagement();
bool IsRegistered();
uint32_t ManagementHandle();
uint32_t LastServiceStatus();

// Fills the common header of a block and runs the command on it.
uint32_t IssueCommand(uint8_t* commandBlock, uint8_t* confirmBuffer, uint32_t command);

// Components, optionally of one class (nullptr: all).
int CountComponents(const char* componentClass, uint32_t* count, uint32_t* nameBytes);
// At most `capacity` ids, in the service layer's order; names (optional) cut
// to 63 characters in 64-byte slots. *listed is how many were stored.
int ListComponents(const char* componentClass, uint32_t* ids, uint32_t capacity, char (*names)[64],
                   uint32_t* listed);
int FindFirstComponent(const char* componentClass, uint32_t* componentId);

// Reads an attribute into buffer (bufferSize bytes). keyValue 0 reads a
// scalar group, else the row whose key attribute 1 has that value. Strings
// come back terminated; an enumerated integer comes back as its text with
// type 8, unless rawInteger asks for the number itself.
int GetAttribute(uint32_t componentId, uint32_t groupId, uint32_t attributeId, uint32_t keyValue, void* buffer,
                 uint32_t bufferSize, uint32_t* length, uint32_t* dataType, bool rawInteger = false);

// Registers at construction and unregisters at destruction: one object per
// program, made before the application starts.
class ManagementRegistration {
public:
    explicit ManagementRegistration(ServiceEntry entry);
    ~ManagementRegistration();
    ManagementRegistration(const ManagementRegistration&) = delete;
    ManagementRegistration& operator=(const ManagementRegistration&) = delete;
};

// Brings the layer back to its state at program load, with another wait
// limit (for tests).
void ResetForTests(DWORD completionWaitMs = kCompletionWaitMs);

}  // namespace korvisa::dmi
