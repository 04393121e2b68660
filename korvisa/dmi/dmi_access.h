// DmiAccess: how a page reads DMI attributes. It finds components by class,
// keeps the selected component and group, walks the software components, and
// sends the watcher's pseudo-component to the watcher's library.
// Operations return 1 for success and 0 for failure, the reason in lastStatus.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace korvisa::dmi {

extern const char kVendorClass[];
extern const char kGeneralInformationClass[];
extern const char kSoftwareClass[];
extern const char kWatcherClass[];
constexpr uint32_t kWatcherComponent = 32524;

// lastStatus values of the object's own.
enum : uint32_t {
    kNoNameBuffer = 11,
    kNoMoreComponents = 12,
    kNotConnected = 14,
    kNoSoftwareWalk = 15,
    kWatcherFailed = 16,
    kWriteNotSupported = 17,
    kSoftwareListingFailed = 109,
};

class DmiAccess {
public:
    DmiAccess();
    ~DmiAccess();
    DmiAccess(const DmiAccess&) = delete;
    DmiAccess& operator=(const DmiAccess&) = delete;

    int SetComponent(uint32_t componentId);
    int GetDefaultComponent(uint32_t* componentId);
    int SelectDefaultComponent();
    int FindGeneralInformation(uint32_t* componentId);
    int FindWatcher(uint32_t* componentId);
    // 0 for success, 1 for failure (the command layer's convention).
    int FindFirstComponent(const char* componentClass, uint32_t* componentId);
    int SetGroup(uint32_t groupId);
    uint32_t GetGroup();

    int GetInteger(uint32_t attributeId, uint32_t* value);
    int GetInteger(uint32_t attributeId, uint32_t keyValue, uint32_t* value);
    int GetString(uint32_t attributeId, std::string* text);
    int GetString(uint32_t attributeId, uint32_t keyValue, std::string* text);
    int SetInteger(uint32_t attributeId, uint32_t value);
    // The same for one row of a watcher table (a drive's conditions).
    int SetInteger(uint32_t attributeId, uint32_t keyValue, uint32_t value);

    int FirstSoftwareComponent(uint32_t* componentId);
    int NextSoftwareComponent(uint32_t* componentId);

    // The computer type: attribute 1 of group 16 of the general information.
    int GetSystemName(std::string* text);

    uint32_t LastStatus() const { return lastStatus; }
    uint32_t CurrentComponent() const { return currentComponent; }

    // Whether some object has found the vendor component in this process.
    static bool Connected();
    // Back to "never connected" (for tests).
    static void ResetConnectionForTests();

private:
    int Read(uint32_t attributeId, uint32_t keyValue, void* buffer, uint32_t size, uint32_t* length,
             bool rawInteger);
    int Refuse(uint32_t status);

    uint32_t currentComponent = 0;
    uint32_t currentGroup = 0;
    uint32_t defaultComponent = 0;
    uint32_t lastStatus = 0;
    uint32_t softwareCursor = 0;
    std::unique_ptr<uint32_t[]> softwareIds;
    uint32_t softwareCount = 0;
};

}  // namespace korvisa::dmi
