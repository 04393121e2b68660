// The service layer's side of the instrumentation bridge: hands a get request
// to the PC's component program through its shared areas and window, one
// request at a time, and reads the answer back.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "platform/dmi/mif_answer.h"

namespace service {

constexpr UINT kBridgeGet = 0x496;
constexpr UINT kBridgeSet = 0x49A;
constexpr DWORD kBridgeTimeoutMs = 5000;
// Statuses beyond the database's: no component program, or no answer in time.
constexpr uint32_t kBridgeNoInstrumentation = 0x107;
constexpr uint32_t kBridgeNoAnswerInTime = 0x10004;

// Asks for one attribute value. Returns 0 with answer filled, or a status:
// 0x107 when the program or its areas are not there, 0x100 when it has no
// such attribute or row, 0x10004 when it does not answer in time or answers
// with a value that does not fit its own area.
uint32_t BridgeGet(uint32_t componentId, uint32_t groupId, uint32_t attributeId, const uint32_t* keys,
                   size_t keyCount, DWORD timeoutMs, MifAnswer* answer);

// Sets one attribute: value (valueBytes bytes in the DMI encoding of its type,
// at most one area) goes to the program's value area. Returns 0 with *result
// the program's answer (1 taken, 0 refused), or 0x107 or 0x10004 as above.
uint32_t BridgeSet(uint32_t componentId, uint32_t groupId, uint32_t attributeId, const uint32_t* keys,
                   size_t keyCount, const void* value, size_t valueBytes, DWORD timeoutMs, uint32_t* result);

}  // namespace service
