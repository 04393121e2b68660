#include "korvisa/dmi/dmi_access.h"

#include <cstring>

#include "korvisa/dmi/command_layer.h"
#include "korvisa/dmi/watcher_library.h"

namespace korvisa::dmi {

const char kVendorClass[] = "DMTF|Lanternfish|1.0";
const char kGeneralInformationClass[] = "DMTF|General Information|001";
const char kSoftwareClass[] = "DMTF|Software Component Information|001";
const char kWatcherClass[] = "LANTERNFISH|Watcher|1.0";

namespace {
uint32_t g_connectionState = 0;   // 1 once the vendor component was found
constexpr uint32_t kStringBufferSize = 1024;
constexpr uint32_t kSystemNameSize = 128;
constexpr uint32_t kSystemGroup = 16;
}  // namespace

bool DmiAccess::Connected()
{
    return g_connectionState == 1;
}

void DmiAccess::ResetConnectionForTests()
{
    g_connectionState = 0;
}

DmiAccess::DmiAccess()
{
    if (!IsRegistered())
        RegisterManagement();
    uint32_t vendor = 0;
    if (dmi::FindFirstComponent(kVendorClass, &vendor) == 0) {
        currentComponent = defaultComponent = vendor;
        g_connectionState = 1;
    }
}

DmiAccess::~DmiAccess() = default;

int DmiAccess::Refuse(uint32_t status)
{
    lastStatus = status;
    return 0;
}

int DmiAccess::SetComponent(uint32_t componentId)
{
    if (!Connected())
        return Refuse(kNotConnected);
    currentComponent = componentId;
    return 1;
}

int DmiAccess::GetDefaultComponent(uint32_t* componentId)
{
    if (!Connected())
        return Refuse(kNotConnected);
    *componentId = defaultComponent;
    return 1;
}

int DmiAccess::SelectDefaultComponent()
{
    if (!Connected())
        return Refuse(kNotConnected);
    currentComponent = defaultComponent;
    return 1;
}

int DmiAccess::FindGeneralInformation(uint32_t* componentId)
{
    if (!Connected())
        return Refuse(kNotConnected);
    if (dmi::FindFirstComponent(kGeneralInformationClass, componentId) != 0)
        return Refuse(LastServiceStatus());
    return 1;
}

int DmiAccess::FindWatcher(uint32_t* componentId)
{
    if (!Connected())
        return Refuse(kNotConnected);
    *componentId = kWatcherComponent;
    return 1;
}

int DmiAccess::FindFirstComponent(const char* componentClass, uint32_t* componentId)
{
    if (!Connected()) {
        lastStatus = kNotConnected;
        return 1;
    }
    if (componentClass && std::strcmp(componentClass, kWatcherClass) == 0) {
        *componentId = kWatcherComponent;
        return 0;
    }
    if (dmi::FindFirstComponent(componentClass, componentId) != 0) {
        lastStatus = LastServiceStatus();
        return 1;
    }
    return 0;
}

int DmiAccess::SetGroup(uint32_t groupId)
{
    if (!Connected())
        return Refuse(kNotConnected);
    currentGroup = groupId;
    return 1;
}

uint32_t DmiAccess::GetGroup()
{
    if (!Connected()) {
        lastStatus = kNotConnected;
        return 0;
    }
    return currentGroup;
}

int DmiAccess::Read(uint32_t attributeId, uint32_t keyValue, void* buffer, uint32_t size, uint32_t* length,
                    bool rawInteger)
{
    if (!Connected())
        return Refuse(kNotConnected);
    if (currentComponent == kWatcherComponent) {
        WatcherEntries watcher = WatcherLibrary();
        if (!watcher.get)
            return Refuse(kWatcherFailed);
        ULONG valueLength = size, scratch = 0;
        ULONG result = watcher.get(currentGroup, attributeId, keyValue, buffer, &valueLength, &scratch);
        *length = valueLength < size ? valueLength : size;
        return result == 0 ? 1 : Refuse(kWatcherFailed);
    }
    uint32_t type = 0;
    if (GetAttribute(currentComponent, currentGroup, attributeId, keyValue, buffer, size, length, &type,
                     rawInteger) != 0)
        return Refuse(LastServiceStatus());
    return 1;
}

int DmiAccess::GetInteger(uint32_t attributeId, uint32_t* value)
{
    return GetInteger(attributeId, 0, value);
}

int DmiAccess::GetInteger(uint32_t attributeId, uint32_t keyValue, uint32_t* value)
{
    uint32_t length = 0;
    uint32_t number = 0;
    // An enumerated attribute read as an integer gives its number, not its text.
    if (!Read(attributeId, keyValue, &number, sizeof number, &length, true))
        return 0;
    *value = number;
    return 1;
}

int DmiAccess::GetString(uint32_t attributeId, std::string* text)
{
    return GetString(attributeId, 0, text);
}

int DmiAccess::GetString(uint32_t attributeId, uint32_t keyValue, std::string* text)
{
    // A text whose storage is already larger than the usual buffer is read
    // into that storage, with its capacity as the limit.
    uint32_t size = text->capacity() > kStringBufferSize ? static_cast<uint32_t>(text->capacity())
                                                         : kStringBufferSize;
    std::string buffer(size, '\0');
    uint32_t length = 0;
    int ok = Read(attributeId, keyValue, &buffer[0], size, &length, false);
    if (length >= size)
        length = size - 1;
    // The text ends at the returned length or at a zero byte before it (a
    // date's padding), as a C string would.
    buffer.resize(strnlen(buffer.c_str(), length));
    *text = buffer;
    return ok;
}

int DmiAccess::SetInteger(uint32_t attributeId, uint32_t value)
{
    return SetInteger(attributeId, 0, value);
}

int DmiAccess::SetInteger(uint32_t attributeId, uint32_t keyValue, uint32_t value)
{
    if (!Connected())
        return Refuse(kNotConnected);
    if (currentComponent != kWatcherComponent)
        return Refuse(kWriteNotSupported);
    WatcherEntries watcher = WatcherLibrary();
    if (!watcher.set)
        return Refuse(kWatcherFailed);
    const ULONG kIntegerKind = 1;
    return watcher.set(currentGroup, attributeId, keyValue, &value, sizeof value, kIntegerKind) == 0
               ? 1
               : Refuse(kWatcherFailed);
}

int DmiAccess::FirstSoftwareComponent(uint32_t* componentId)
{
    if (!Connected())
        return Refuse(kNotConnected);
    uint32_t count = 0;
    if (CountComponents(kSoftwareClass, &count, nullptr) != 0 || count == 0)
        return Refuse(kNoMoreComponents);
    softwareIds.reset(new uint32_t[count]);
    uint32_t listed = 0;
    if (ListComponents(kSoftwareClass, softwareIds.get(), count, nullptr, &listed) != 0) {
        softwareIds.reset();
        softwareCount = 0;
        return Refuse(kSoftwareListingFailed);
    }
    // Only what was really listed: components may have gone since the count.
    softwareCount = listed;
    softwareCursor = 0;
    return NextSoftwareComponent(componentId);
}

int DmiAccess::NextSoftwareComponent(uint32_t* componentId)
{
    if (!Connected())
        return Refuse(kNotConnected);
    if (!softwareIds)
        return Refuse(kNoSoftwareWalk);
    if (softwareCursor >= softwareCount)
        return Refuse(kNoMoreComponents);
    *componentId = softwareIds[softwareCursor++];
    return 1;
}

int DmiAccess::GetSystemName(std::string* text)
{
    if (!Connected())
        return Refuse(kNotConnected);
    if (!text)
        return Refuse(kNoNameBuffer);
    uint32_t general = 0;
    if (dmi::FindFirstComponent(kGeneralInformationClass, &general) != 0)
        return Refuse(LastServiceStatus());
    char buffer[kSystemNameSize] = {};
    uint32_t length = 0, type = 0;
    if (GetAttribute(general, kSystemGroup, 1, 0, buffer, sizeof buffer, &length, &type) != 0)
        return Refuse(LastServiceStatus());
    text->assign(buffer, strnlen(buffer, length < sizeof buffer ? length : sizeof buffer - 1));
    return 1;
}

}  // namespace korvisa::dmi
