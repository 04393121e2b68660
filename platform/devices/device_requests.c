/* The hardware-monitor driver's answers, worked out from the testbed profile
 * and the SMBIOS table. No C library: copies and clears are plain loops. */
#include "platform/devices/device_requests.h"
#include "platform/devices/byte_fields.h"

#include "platform/devices/ide_requests.h"

#include "platform/testbed/profile_parse.h"
#include "platform/testbed/smbios_table.h"

#define MONITOR_SECTION "HardwareMonitor"

/* The service number of a Windows 95/98 caller and the NT control code for
 * the same request. */
typedef enum Request {
    REQ_IDE_IDENTIFY,
    REQ_DISK,
    REQ_WRITE_LIMITS,
    REQ_READINGS,
    REQ_TABLE_INFO,
    REQ_TABLE_COPY,
    REQ_LOCATE,
    REQ_PRESENCE,
    REQ_CONFIGURE,
    REQ_NONE
} Request;

static Request request_of(unsigned long code) {
    switch (code) {
    case 3: case 0x8000200CUL: return REQ_IDE_IDENTIFY;
    case 7: case 0x8000201CUL: return REQ_DISK;
    case 8: case 0x80002020UL: return REQ_WRITE_LIMITS;
    case 9: case 0x80002024UL: return REQ_READINGS;
    case 11: case 0x8000202CUL: return REQ_TABLE_INFO;
    case 12: case 0x80002030UL: return REQ_TABLE_COPY;
    case 13: case 0x80002034UL: return REQ_LOCATE;
    case 14: case 0x80002038UL: return REQ_PRESENCE;
    case 15: case 0x8000203CUL: return REQ_CONFIGURE;
    default: return REQ_NONE;
    }
}

static void copy_bytes(unsigned char* to, const unsigned char* from, unsigned long n) {
    unsigned long i;
    for (i = 0; i < n; ++i) to[i] = from[i];
}

static void clear_bytes(unsigned char* to, unsigned long n) {
    unsigned long i;
    for (i = 0; i < n; ++i) to[i] = 0;
}

void devices_init(DevicesState* state) {
    state->profile = 0;
    state->profileLen = 0;
    state->table = 0;
    state->tableLen = 0;
    state->tableAddress = 0;
    state->profileHash = 0;
    state->readsAnswered = 0;
    state->configured = 0;
    clear_bytes(state->configure, sizeof state->configure);
    state->limitsSet = 0;
    clear_bytes(state->limits, sizeof state->limits);
}

/* FNV-1a over the profile's bytes: enough to tell a rewritten profile. */
static unsigned long profile_hash(const DevicesState* state) {
    unsigned long h = 2166136261UL;
    unsigned i;
    for (i = 0; i < state->profileLen; ++i) {
        h ^= (unsigned char)state->profile[i];
        h = (h * 16777619UL) & 0xFFFFFFFFUL;
    }
    return h;
}

void devices_profile_changed(DevicesState* state) {
    unsigned long h = profile_hash(state);
    if (h != state->profileHash) {
        state->profileHash = h;
        state->readsAnswered = 0;
    }
}


/* A switch of [HardwareMonitor]; off when missing. */
static int switch_on(const DevicesState* state, const char* key) {
    int on = 0;
    if (!state->profile) return 0;
    testbed_get_bool(state->profile, state->profileLen, MONITOR_SECTION, key, &on);
    return on;
}

static int monitor_present(const DevicesState* state) {
    return switch_on(state, "Present");
}

/* Whether [HardwareMonitor] FailCalls lists this code (or says All). */
static int call_fails(const DevicesState* state, unsigned long code) {
    unsigned start, len, itemStart, itemLen, index;
    const char* list;
    if (!state->profile ||
        !testbed_find_value(state->profile, state->profileLen, MONITOR_SECTION, "FailCalls", &start,
                            &len))
        return 0;
    list = state->profile + start;
    for (index = 0; testbed_list_item(list, len, index, &itemStart, &itemLen); ++index) {
        unsigned long listed;
        if (testbed_same_name(list + itemStart, itemLen, "All")) return 1;
        if (testbed_parse_uint(list + itemStart, itemLen, &listed) && listed == code) return 1;
    }
    return 0;
}

/* A reading of the profile as a 16-bit field: missing is 0, values beyond
 * what 16 bits carry (signed or not) are held at the nearest end. */
static unsigned long profile_word(const DevicesState* state, const char* key, long fallback) {
    long v = fallback;
    testbed_get_int(state->profile, state->profileLen, MONITOR_SECTION, key, &v);
    if (v < -32768L) v = -32768L;
    if (v > 65535L) v = 65535L;
    return (unsigned long)v & 0xFFFFUL;
}

static DevicesResult answer_readings(DevicesState* state, unsigned char* out, unsigned long outLen,
                                     unsigned long* written) {
    static const char* const keys[11] = {"IN0", "IN1", "IN2", "IN3", "IN4", "IN5",
                                         "IN6", "TEMP", "FAN_A", "FAN_B", "FAN_C"};
    unsigned long notReady = 0, status = 0, alarm, unavailable;
    int caseOpen = 0;
    unsigned i;
    if (outLen < DEVICES_READINGS_SIZE || !out) return DEVICES_OUTPUT_TOO_SMALL;
    for (i = 0; i < 11; ++i) put_word(out + 2 * i, profile_word(state, keys[i], 0));
    testbed_get_bool(state->profile, state->profileLen, MONITOR_SECTION, "CaseOpen", &caseOpen);
    if (caseOpen) status |= 1UL << 28;
    put_dword(out + 22, status);
    alarm = profile_word(state, "AlarmWord", 0);
    unavailable = profile_word(state, "UnavailableWord", 0);
    testbed_get_uint(state->profile, state->profileLen, MONITOR_SECTION, "NotReadyReads", &notReady);
    if (state->readsAnswered < notReady) {
        alarm = 0xFFFF;
        unavailable = 0xFFFF;
    }
    if (state->readsAnswered < 0xFFFFFFFFUL) ++state->readsAnswered;
    put_word(out + 26, alarm);
    put_word(out + 28, unavailable);
    *written = DEVICES_READINGS_SIZE;
    return DEVICES_OK;
}

static unsigned structure_count(const DevicesState* state) {
    unsigned offset = 0, count = 0;
    SmbiosStructure s;
    while (smbios_next(state->table, state->tableLen, &offset, &s)) ++count;
    return count;
}

static DevicesResult answer_locate(const DevicesState* state, const unsigned char* in,
                                   unsigned char* out, unsigned long outLen,
                                   unsigned long* written) {
    unsigned long type = get_dword(in), index = get_dword(in + 4);
    SmbiosStructure s;
    if (outLen < DEVICES_ADDRESS_SIZE || !out) return DEVICES_OUTPUT_TOO_SMALL;
    if (type > 255 || index > 0xFFFFUL || !state->table ||
        !smbios_find(state->table, state->tableLen, (unsigned)type, (unsigned)index, &s))
        return DEVICES_NOT_FOUND;
    /* Callers address a structure through a pointer 4 bytes before its header. */
    put_dword(out, state->tableAddress + (unsigned long)(s.data - state->table) - 4);
    *written = DEVICES_ADDRESS_SIZE;
    return DEVICES_OK;
}

DevicesResult devices_answer(DevicesState* state, unsigned long code, const void* inBuffer,
                             unsigned long inLen, void* outBuffer, unsigned long outLen,
                             unsigned long* written) {
    const unsigned char* in = (const unsigned char*)inBuffer;
    unsigned char* out = (unsigned char*)outBuffer;
    Request request = request_of(code);
    *written = 0;
    if (request == REQ_NONE) return DEVICES_UNKNOWN_CODE;
    if (!in) inLen = 0;
    if (!out) outLen = 0;
    if (call_fails(state, code)) return DEVICES_FAILED;

    switch (request) {
    case REQ_IDE_IDENTIFY:
    case REQ_DISK: {
        unsigned long size =
            request == REQ_DISK ? DEVICES_DISK_REQUEST_SIZE : DEVICES_IDE_IDENTIFY_SIZE;
        if (inLen != size) return DEVICES_BAD_INPUT;
        if (outLen < size) return DEVICES_OUTPUT_TOO_SMALL;
        return request == REQ_DISK ? devices_disk_request(state, in, out, written)
                                   : devices_ide_identify(state, in, out, written);
    }
    case REQ_WRITE_LIMITS:
        if (inLen != DEVICES_LIMITS_SIZE) return DEVICES_BAD_INPUT;
        if (outLen < DEVICES_LIMITS_SIZE) return DEVICES_OUTPUT_TOO_SMALL;
        if (!monitor_present(state)) return DEVICES_NO_MONITOR;
        /* A monitor that refuses new limits keeps the ones it has. */
        if (switch_on(state, "RefuseLimits")) return DEVICES_FAILED;
        copy_bytes(state->limits, in, DEVICES_LIMITS_SIZE);
        state->limitsSet = 1;
        /* The record comes back as the monitor took it. */
        copy_bytes(out, state->limits, DEVICES_LIMITS_SIZE);
        *written = DEVICES_LIMITS_SIZE;
        return DEVICES_OK;
    case REQ_READINGS:
        if (!monitor_present(state)) return DEVICES_NO_MONITOR;
        return answer_readings(state, out, outLen, written);
    case REQ_TABLE_INFO:
        if (!state->table || state->tableLen == 0) return DEVICES_NOT_FOUND;
        if (outLen < DEVICES_TABLE_INFO_SIZE) return DEVICES_OUTPUT_TOO_SMALL;
        put_dword(out, state->tableLen);
        put_dword(out + 4, state->tableAddress);
        put_dword(out + 8, structure_count(state));
        put_dword(out + 12, 0);
        *written = DEVICES_TABLE_INFO_SIZE;
        return DEVICES_OK;
    case REQ_TABLE_COPY:
        if (!state->table || state->tableLen == 0) return DEVICES_NOT_FOUND;
        if (outLen < state->tableLen) return DEVICES_OUTPUT_TOO_SMALL;
        copy_bytes(out, state->table, state->tableLen);
        *written = state->tableLen;
        return DEVICES_OK;
    case REQ_LOCATE:
        if (inLen != DEVICES_LOCATE_SIZE) return DEVICES_BAD_INPUT;
        return answer_locate(state, in, out, outLen, written);
    case REQ_PRESENCE:
        return monitor_present(state) ? DEVICES_OK : DEVICES_NO_MONITOR;
    case REQ_CONFIGURE:
        if (inLen != DEVICES_CONFIGURE_SIZE) return DEVICES_BAD_INPUT;
        if (!monitor_present(state)) return DEVICES_NO_MONITOR;
        copy_bytes(state->configure, in, DEVICES_CONFIGURE_SIZE);
        state->configured = 1;
        return DEVICES_OK;
    case REQ_NONE:
        break;
    }
    return DEVICES_UNKNOWN_CODE;
}
