#include "bramble/serving/ci_entry_points.h"

#include <cstring>

#include "bramble/serving/ci_group_health.h"
#include "bramble/serving/ci_groups.h"
#include "bramble/serving/fru_table.h"
#include "common/cp932.h"

namespace bramble {

namespace {

using ci::Row;
using ci::Rows;
using ci::Value;

// How a group is served (the dispatch table).
struct GroupDef {
    ULONG id;
    bool table;        // rows identified by key 1; otherwise one row, no keys
    size_t capacity;   // most rows a table holds
    UINT refresh;      // refresh message sent before answering (0: none)
    ci::Probe probe;
    ULONG keyIds[2] = {1, 0};   // the key attributes; a second one for two-key tables
    bool anyAttribute = false;  // the one value answers for every attribute id
};

const GroupDef kGroups[] = {
    {1, false, 1, kRefreshSystem, ci::ProbeSystem},
    {2, false, 1, kRefreshGeneral, ci::ProbeGeneral},
    {3, true, 1, 0, ci::ProbeOperatingSystem},
    {4, false, 1, kRefreshBios, ci::ProbeBios},
    {6, true, 10, 0, ci::ProbeProcessors},
    {7, false, 1, 0, ci::ProbePortCount, {1, 0}, true},
    {8, false, 1, 0, ci::ProbeMemoryController},
    {9, false, 1, kRefreshMemory, ci::ProbeMemory},
    {10, true, 8, 0, ci::ProbeCaches},
    {11, true, 16, 0, ci::ProbeParallelPorts},
    {12, true, 16, 0, ci::ProbeSerialPorts},
    {13, true, ci::kIrqCount, kRefreshIrq, ci::ProbeIrqs},
    {16, false, 1, 0, ci::ProbeEnclosure},
    {19, true, 8, 0, ci::ProbeSlots},
    {20, false, 1, kRefreshDisplay, ci::ProbeDisplay},
    {22, true, 3, kRefreshVideoBios, ci::ProbeVideoBios},
    {23, true, 16, 0, ci::ProbeDisks, {1, 2}},
    {24, true, 16, 0, ci::ProbeDiskMap, {2, 3}},
    {25, true, 16, 0, ci::ProbePartitions},
    {27, true, 16, 0, ci::ProbeDiskControllers},
    {28, false, 1, 0, ci::ProbePointingDevice},
    {29, false, 1, kRefreshKeyboard, ci::ProbeKeyboard},
    {30, true, kFruMaxRecords, 0, ci::ProbeFru},
    {31, true, ci::kStandardPortCount, 0, ci::ProbeStandardPorts},
};
constexpr size_t kGroupCount = sizeof kGroups / sizeof kGroups[0];

// A string answer: 32-bit length, then the text.
struct StringAnswer {
    uint32_t length;
    char text[kAreaSize - 4];
};

// Each group's cache and its static answer record, overwritten by the next
// request for that group.
struct GroupState {
    bool valid = false;
    Rows rows;
    AttributeResult result{};
    int32_t integer = 0;
    int64_t wide = 0;
    StringAnswer string{};
    char date[28] = {};
};
GroupState g_states[kGroupCount];

HWND g_window = nullptr;
volatile LONG g_dataReady = 0;

bool g_clockPending = false;
SYSTEMTIME g_pendingClock{};

bool SystemClockSetter(const SYSTEMTIME& time) { return SetLocalTime(&time) != FALSE; }
ClockSetter g_clockSetter = SystemClockSetter;

constexpr int kReadyPolls = 300;
constexpr DWORD kReadyPollMs = 10;

int GroupIndex(ULONG group)
{
    for (size_t i = 0; i < kGroupCount; ++i)
        if (kGroups[i].id == group) return static_cast<int>(i);
    return -1;
}

void Probe(size_t index)
{
    GroupState& state = g_states[index];
    Rows fresh;
    if (kGroups[index].probe(&fresh) && fresh.size() <= kGroups[index].capacity) {
        state.rows.swap(fresh);
        state.valid = true;
    } else {
        state.rows.clear();
        state.valid = false;
    }
}

// The refresh handshake: clear the flag, have the window refresh, wait for the
// flag at most 300 × 10 ms. Without a window the group refreshes in place.
void Refresh(size_t index)
{
    const UINT message = kGroups[index].refresh;
    if (!g_window || !IsWindow(g_window)) {
        Probe(index);
        return;
    }
    InterlockedExchange(&g_dataReady, 0);
    SendMessageA(g_window, message, 0, 0);
    for (int i = 0; i < kReadyPolls && InterlockedCompareExchange(&g_dataReady, 0, 0) == 0; ++i)
        Sleep(kReadyPollMs);
    if (!g_states[index].valid) Probe(index);
}

enum class Keys { kBad, kNone, kGiven };

// The key values a request names: the first, and the second when there is one.
struct KeyValues {
    uint32_t first = 0;
    uint32_t second = 0;
    bool hasSecond = false;
};

// Checks the keys of a request from another process: at most three, each
// value pointer present. A null list or no keys names no row.
Keys ReadKeys(ULONG keyCount, const KeyEntry* keys, KeyValues* out)
{
    if (keyCount > kMaxBridgeKeys) return Keys::kBad;
    if (keyCount == 0 || !keys) return Keys::kNone;
    for (ULONG k = 0; k < keyCount; ++k)
        if (!keys[k].value) return Keys::kBad;
    std::memcpy(&out->first, keys[0].value, sizeof out->first);
    if (keyCount > 1) {
        std::memcpy(&out->second, keys[1].value, sizeof out->second);
        out->hasSecond = true;
    }
    return Keys::kGiven;
}

AttributeResult* Answer(GroupState& state, ULONG attribute, const Value& value)
{
    state.result.attributeId = attribute;
    state.result.dataType = value.type;
    switch (value.type) {
    case ci::kTypeInteger:
        state.integer = static_cast<int32_t>(value.number);
        state.result.value = &state.integer;
        break;
    case ci::kTypeWide:
        state.wide = value.number;
        state.result.value = &state.wide;
        break;
    case ci::kTypeString: {
        const size_t bytes =
            cp932::PrefixBytes(value.text.data(), value.text.size(), sizeof state.string.text, cp932::kUnlimited);
        std::memcpy(state.string.text, value.text.data(), bytes);
        state.string.length = static_cast<uint32_t>(bytes);
        state.result.value = &state.string;
        break;
    }
    case ci::kTypeDate:
        std::memset(state.date, 0, sizeof state.date);
        std::memcpy(state.date, value.text.data(), value.text.size() < 25 ? value.text.size() : 25);
        state.result.value = state.date;
        break;
    default:
        return nullptr;
    }
    return &state.result;
}

// The row that the keys name; a two-key group needs both keys to match.
int FindRow(const GroupDef& def, const Rows& rows, const KeyValues& keys)
{
    if (keys.first == 0) return -1;  // an empty slot is no row
    const bool twoKeys = def.keyIds[1] != 0;
    if (twoKeys && !keys.hasSecond) return -1;
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].key == keys.first && (!twoKeys || rows[i].key2 == keys.second)) return static_cast<int>(i);
    return -1;
}

AttributeResult* Get(ULONG group, ULONG attribute, ULONG keyCount, KeyEntry* keys)
{
    KeyValues key;
    const Keys given = ReadKeys(keyCount, keys, &key);
    if (given == Keys::kBad) return nullptr;
    if (group == kHealthGroupId) return HealthGroupGet(g_window, attribute);
    const int index = GroupIndex(group);
    if (index < 0) return nullptr;
    const GroupDef& def = kGroups[index];
    GroupState& state = g_states[index];

    if (def.refresh) Refresh(static_cast<size_t>(index));
    else if (!state.valid) Probe(static_cast<size_t>(index));
    if (state.rows.empty()) return nullptr;

    int row = 0;
    if (def.table && given == Keys::kGiven) {
        row = FindRow(def, state.rows, key);
        if (row < 0) {
            state.valid = false;
            return nullptr;
        }
    }
    const Row& found = state.rows[static_cast<size_t>(row)];
    const Value* value = def.anyAttribute && !found.attributes.empty() ? &found.attributes.front().second
                                                                        : found.Find(attribute);
    if (!value) return nullptr;
    return Answer(state, attribute, *value);
}

AttributeResult* GetNext(ULONG group, ULONG attribute, ULONG keyCount, KeyEntry* keys)
{
    const int index = GroupIndex(group);
    if (index < 0 || !kGroups[index].table) return nullptr;
    const GroupDef& def = kGroups[index];
    // Only a key attribute walks: the answer is that key of the next row.
    const bool secondKey = def.keyIds[1] != 0 && attribute == def.keyIds[1];
    if (attribute != def.keyIds[0] && !secondKey) return nullptr;
    KeyValues key;
    if (ReadKeys(keyCount, keys, &key) != Keys::kGiven) return nullptr;
    GroupState& state = g_states[index];
    if (def.refresh) Refresh(static_cast<size_t>(index));
    else if (!state.valid) Probe(static_cast<size_t>(index));

    const int row = FindRow(def, state.rows, key);
    if (row < 0) return nullptr;
    const size_t next = static_cast<size_t>(row) + 1;
    if (next >= state.rows.size() || next >= def.capacity || state.rows[next].key == 0) {
        state.valid = false;  // the next walk probes again
        return nullptr;
    }
    Value value;
    value.type = ci::kTypeInteger;
    value.number = secondKey ? state.rows[next].key2 : state.rows[next].key;
    return Answer(state, attribute, value);
}

bool TwoDigits(const char* p, unsigned* out)
{
    if (p[0] < '0' || p[0] > '9' || p[1] < '0' || p[1] > '9') return false;
    *out = static_cast<unsigned>((p[0] - '0') * 10 + (p[1] - '0'));
    return true;
}

// The clock value of a 28-byte DMI date: digits for year to second, and a
// real calendar date and time.
bool ParseClock(const char* date, SYSTEMTIME* out)
{
    unsigned hi, lo, month, day, hour, minute, second;
    if (!TwoDigits(date, &hi) || !TwoDigits(date + 2, &lo) || !TwoDigits(date + 4, &month) ||
        !TwoDigits(date + 6, &day) || !TwoDigits(date + 8, &hour) || !TwoDigits(date + 10, &minute) ||
        !TwoDigits(date + 12, &second))
        return false;
    const unsigned year = hi * 100 + lo;
    static const unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1601 || month < 1 || month > 12 || hour > 23 || minute > 59 || second > 59) return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const unsigned days = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    if (day < 1 || day > days) return false;
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = static_cast<WORD>(second);
    *out = t;
    return true;
}

ULONG Set(ULONG group, ULONG attribute, ULONG keyCount, KeyEntry* keys, void* value)
{
    KeyValues key;
    if (ReadKeys(keyCount, keys, &key) == Keys::kBad) return 0;
    switch (group) {
    case 2: {
        if (attribute != 6 || !value) return 0;
        SYSTEMTIME clock;
        if (!ParseClock(static_cast<const char*>(value), &clock)) return 0;
        if (!g_window || !IsWindow(g_window)) return 0;
        g_pendingClock = clock;
        g_clockPending = true;
        const LRESULT done = SendMessageA(g_window, kSetClockMessage, 0, 0);
        g_clockPending = false;
        const int i = GroupIndex(2);
        if (i >= 0) g_states[i].valid = false;
        return done ? 1 : 0;
    }
    case 30: {
        // A set that matches no record, or a value over its limit, changes nothing.
        const bool hasKey = keyCount > 0 && keys;
        if (!TheFruTable().Set(hasKey, static_cast<int>(key.first), attribute, value, kAreaSize)) return 0;
        const int i = GroupIndex(30);
        if (i >= 0) g_states[i].valid = false;  // the rows come from the changed table
        if (g_window && IsWindow(g_window)) SendMessageA(g_window, kStoreFruTableMessage, kStoreFruTableWParam, 0);
        return 1;
    }
    case kHealthGroupId:
        return HealthGroupSet(g_window, attribute, value);
    default:
        return 1;  // the group takes no sets
    }
}

AttributeResult* WINAPI GetEntry(ULONG, ULONG group, ULONG attribute, ULONG keyCount, KeyEntry* keys)
{
    return Get(group, attribute, keyCount, keys);
}
AttributeResult* WINAPI GetNextEntry(ULONG, ULONG group, ULONG attribute, ULONG keyCount, KeyEntry* keys)
{
    return GetNext(group, attribute, keyCount, keys);
}
ULONG WINAPI SetEntry(ULONG, ULONG group, ULONG attribute, ULONG keyCount, KeyEntry* keys, void* value)
{
    return Set(group, attribute, keyCount, keys, value);
}

}  // namespace

const CiEntryPoints& EntryPoints()
{
    static const CiEntryPoints entries = {GetEntry, GetNextEntry, SetEntry};
    return entries;
}

void SetMainWindow(HWND window) { g_window = window; }

void InvalidateCaches()
{
    for (GroupState& state : g_states) state.valid = false;
}

bool RunFullProbe()
{
    const bool table = ci::ReloadSmbiosTable();
    for (size_t i = 0; i < kGroupCount; ++i) Probe(i);
    return table;
}

void SetDataReady() { InterlockedExchange(&g_dataReady, 1); }

bool HandleRefreshMessage(UINT message)
{
    for (size_t i = 0; i < kGroupCount; ++i) {
        if (kGroups[i].refresh == message) {
            Probe(i);
            SetDataReady();
            return true;
        }
    }
    return false;
}

bool PendingClock(SYSTEMTIME* out)
{
    if (!g_clockPending || !out) return false;
    *out = g_pendingClock;
    return true;
}

bool ApplyPendingClock()
{
    SYSTEMTIME clock;
    return PendingClock(&clock) && g_clockSetter(clock);
}

void SetClockSetter(ClockSetter setter) { g_clockSetter = setter ? setter : SystemClockSetter; }

void SetSmbiosTableReader(SmbiosTableReader reader)
{
    ci::SetTableReader(reader);
    InvalidateCaches();
}

}  // namespace bramble

extern "C" {

bramble::AttributeResult* WINAPI CiGetAttribute(ULONG, ULONG groupId, ULONG attributeId, ULONG keyCount,
                                                bramble::KeyEntry* keys)
{
    return bramble::Get(groupId, attributeId, keyCount, keys);
}

bramble::AttributeResult* WINAPI CiGetNextAttribute(ULONG, ULONG groupId, ULONG attributeId, ULONG keyCount,
                                                    bramble::KeyEntry* keys)
{
    return bramble::GetNext(groupId, attributeId, keyCount, keys);
}

ULONG WINAPI CiSetAttribute(ULONG, ULONG groupId, ULONG attributeId, ULONG keyCount, bramble::KeyEntry* keys,
                            void* value)
{
    return bramble::Set(groupId, attributeId, keyCount, keys, value);
}

ULONG WINAPI CiReserveAttribute(ULONG, ULONG, ULONG, ULONG, bramble::KeyEntry*, void*) { return 1; }

ULONG WINAPI CiReleaseAttribute(ULONG, ULONG, ULONG, ULONG, bramble::KeyEntry*, void*) { return 1; }

}
