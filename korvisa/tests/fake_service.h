// An in-process service layer for the command layer's tests: it reads the
// command blocks as the real one does, answers from a small model, and calls
// the completion routine from another thread.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

struct FakeComponent {
    uint32_t id;
    std::string name;
    std::string componentClass;
};

struct FakeValue {
    uint32_t type;
    std::string bytes;   // the value as the confirm carries it (strings with their length word)
};

class FakeService {
public:
    static FakeService& Instance();
    ~FakeService() { Join(); }
    static ULONG WINAPI Entry(void* block);

    void Reset();
    void AddComponent(uint32_t id, const std::string& name, const std::string& componentClass);
    void SetInteger(uint32_t component, uint32_t group, uint32_t attribute, uint32_t key, uint32_t type,
                    uint32_t value);
    void SetString(uint32_t component, uint32_t group, uint32_t attribute, uint32_t key, const std::string& text);
    // A date: the text in its 28-byte field, the rest zero.
    void SetDate(uint32_t component, uint32_t group, uint32_t attribute, uint32_t key, const std::string& text);
    void SetEnumeration(uint32_t component, uint32_t group, uint32_t attribute,
                        std::vector<std::pair<uint32_t, std::string>> entries);

    // Behaviour switches.
    size_t batchSize = 3;
    uint32_t immediateStatus = 0;          // returned at once when not 0
    bool neverComplete = false;            // accept the command but never call back
    DWORD completionDelayMs = 2;           // how long after accepting a command it calls back
    // Lets a test spoil a confirm before the completion routine runs.
    void (*spoil)(uint8_t* block, uint8_t* confirm) = nullptr;

    // What the service saw.
    std::vector<std::vector<uint8_t>> blocks;
    uint32_t handle = 0x5A5A0001;

private:
    using AttrKey = std::tuple<uint32_t, uint32_t, uint32_t, uint32_t>;
    uint32_t Answer(uint8_t* block, uint8_t* confirm);
    uint32_t List(uint8_t* block, uint8_t* confirm, bool next);
    uint32_t Get(uint8_t* block, uint8_t* confirm);
    uint32_t Describe(uint8_t* block, uint8_t* confirm);
    void Join();

    std::vector<FakeComponent> components_;
    std::map<AttrKey, FakeValue> values_;
    std::map<std::tuple<uint32_t, uint32_t, uint32_t>, std::vector<std::pair<uint32_t, std::string>>> enums_;
    std::thread completion_;
};
