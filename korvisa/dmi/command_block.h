// The DMI 1.1 management command block and confirm buffers as the service
// layer takes and fills them: sizes, command codes, statuses and offsets.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "common/byte_fields.h"

namespace korvisa::dmi {

constexpr size_t kBlockSize = 2048;
constexpr size_t kConfirmSize = 2048;
constexpr uint32_t kLevelCheck = 0x444D4931;   // "1IMD" in memory

// Command codes.
constexpr uint32_t kCmdRegister = 0x100;
constexpr uint32_t kCmdUnregister = 0x101;
constexpr uint32_t kCmdListComponents = 0x201;
constexpr uint32_t kCmdListComponentsNext = 0x202;
constexpr uint32_t kCmdAttributeDescription = 0x208;
constexpr uint32_t kCmdGetAttribute = 0x300;

// Statuses the layer reads itself; anything else is the service layer's error.
constexpr uint32_t kStatusOk = 0;
constexpr uint32_t kStatusMoreData = 1;
constexpr uint32_t kStatusComponentNotFound = 0x102;
// Statuses of the layer's own, outside the service layer's range: no
// completion within the wait limit, a confirm buffer that contradicts itself,
// and an enumerated value that its attribute's enumeration does not list.
constexpr uint32_t kStatusNoCompletion = 0xE0000001;
constexpr uint32_t kStatusBadConfirm = 0xE0000002;
constexpr uint32_t kStatusNotEnumerated = 0xE0000003;

// Block offsets (32-bit little-endian fields).
namespace block {
constexpr size_t kLevel = 0, kCommand = 4, kLength = 8, kHandle = 12, kWord16 = 16, kWord20 = 20, kWord24 = 24,
                 kConfirmLength = 28, kConfirmAddress = 32, kWord36 = 36, kEntryCount = 40, kStatus = 44,
                 kWord48 = 48, kWord52 = 52, kConfirmAddress2 = 56, kCompletion = 60, kBody = 64;
// Request bodies.
constexpr size_t kListAfterId = 64, kListClassOffset = 68, kListClass = 80;
constexpr size_t kGetComponent = 64, kGetGroup = 68, kGetKeyCount = 72, kGetKeyListOffset = 76, kGetAttribute = 80,
                 kGetKeyList = 84, kGetKeyValue = 96;
constexpr size_t kDescComponent = 64, kDescGroup = 68, kDescAttribute = 72;
constexpr size_t kRegisterCompletion = 64;
}  // namespace block

// Confirm buffer offsets.
namespace confirm {
constexpr size_t kListEntrySize = 28, kListEntryId = 0, kListEntryName = 8;
constexpr size_t kGetType = 8, kGetValueOffset = 12;
constexpr size_t kDescEnumCount = 20, kDescEnumTable = 24, kEnumEntrySize = 8;
constexpr size_t kRegisterHandle = 8;
}  // namespace confirm

constexpr size_t kMaxClassChars = 256;

using le::PutWord;
using le::Word;

}  // namespace korvisa::dmi
