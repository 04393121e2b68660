#include "platform/vendor/attribute_catalogue.h"

#include <cstdint>

#include "common/dmi_types.h"
#include "platform/vendor/display_adapter.h"
#include "platform/vendor/display_current.h"
#include "platform/vendor/display_modes.h"
#include "platform/vendor/drives.h"
#include "platform/vendor/input_settings.h"
#include "platform/vendor/installed_programs.h"
#include "platform/vendor/printers.h"
#include "platform/vendor/swap_space.h"

namespace vendor {

namespace {

constexpr uint32_t kInt = dmi::kInteger;
constexpr uint32_t kText = dmi::kDisplayString;

// Attribute 1 of a table: the row's key.
constexpr AttributeSpec kKey = {kKeyAttribute, kInt, 0};

const AttributeSpec kSwap[] = {{1, kInt, 0}, {2, kInt, 0}};
const AttributeSpec kDisplay[] = {{1, kText, 64}, {2, kText, 64}, {3, kText, 16}};
const AttributeSpec kVideoAdapter[] = {{1, kText, 64}};
const AttributeSpec kDisplayModes[] = {kKey, {2, kText, 32}, {3, kText, 64}};
const AttributeSpec kKeyboard[] = {{1, kInt, 0}, {2, kInt, 0}};
const AttributeSpec kMouse[] = {{1, kInt, 0}, {2, kInt, 0}};
const AttributeSpec kPcCard[] = {{1, kInt, 0}};
const AttributeSpec kBoards[] = {kKey, {2, kText, 64}, {3, kText, 128}};
const AttributeSpec kPrinters[] = {kKey, {2, kText, 256}, {3, kText, 64}, {4, kText, 64}, {5, kInt, 0}};
const AttributeSpec kMedia[] = {kKey,           {2, kText, 26},  {3, kInt, 0}, {4, kInt, 0},
                                {5, kText, 32}, {6, kText, 32}, {7, kText, 8}};
const AttributeSpec kModems[] = {kKey, {2, kText, 128}, {3, kText, 32}};
const AttributeSpec kPrograms[] = {kKey,            {2, kText, 256}, {3, kText, 64}, {4, kText, 128},
                                   {5, kText, 260}, {6, kText, 256}, {7, kText, 512}};

template <size_t N>
constexpr GroupSpec Scalar(uint32_t id, const AttributeSpec (&attributes)[N], SystemValueReader value)
{
    return {id, false, attributes, N, nullptr, value};
}

template <size_t N>
constexpr GroupSpec Table(uint32_t id, const AttributeSpec (&attributes)[N], SystemRowsReader rows,
                          SystemValueReader value)
{
    return {id, true, attributes, N, rows, value};
}

// Groups 14 (PC-card slot), 15 (SCSI and LAN boards) and 19 (modems): the
// system cannot tell them, so they come from the profile alone.
const GroupSpec kGroups[] = {
    Scalar(6, kSwap, ReadSwapValue),
    Scalar(7, kDisplay, ReadCurrentDisplayValue),
    Scalar(8, kVideoAdapter, ReadVideoAdapterValue),
    Table(9, kDisplayModes, ReadDisplayModeRows, ReadDisplayModeValue),
    Scalar(10, kKeyboard, ReadKeyboardValue),
    Scalar(11, kMouse, ReadMouseValue),
    Scalar(14, kPcCard, nullptr),
    Table(15, kBoards, nullptr, nullptr),
    Table(16, kPrinters, ReadPrinterRows, ReadPrinterValue),
    Table(18, kMedia, ReadDriveRows, ReadDriveValue),
    Table(19, kModems, nullptr, nullptr),
    Table(20, kPrograms, ReadInstalledProgramRows, ReadInstalledProgramValue),
};

}  // namespace

const GroupSpec* FindGroup(uint32_t id)
{
    for (const GroupSpec& group : kGroups) {
        if (group.id == id)
            return &group;
    }
    return nullptr;
}

const AttributeSpec* FindAttribute(const GroupSpec& group, uint32_t id)
{
    for (size_t i = 0; i < group.attributeCount; i++) {
        if (group.attributes[i].id == id)
            return &group.attributes[i];
    }
    return nullptr;
}

const GroupSpec* AllGroups(size_t* count)
{
    *count = sizeof kGroups / sizeof kGroups[0];
    return kGroups;
}

Value IntegerValue(int64_t value)
{
    if (value > INT32_MAX)
        value = INT32_MAX;
    if (value < INT32_MIN)
        value = INT32_MIN;
    Value result;
    result.type = dmi::kInteger;
    result.integer = static_cast<uint32_t>(static_cast<int32_t>(value));
    return result;
}

Value TextValue(const std::string& text)
{
    Value result;
    result.type = dmi::kDisplayString;
    result.text = text;
    return result;
}

}  // namespace vendor
