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

}  // namespace service
