/* The IDE disks of the testbed profile, answered as identify blocks and disk
 * records. No C library, like the rest of the driver's answers. */
#include "platform/devices/ide_requests.h"
#include "platform/devices/byte_fields.h"

#include "platform/testbed/profile_parse.h"

#define IDE_SECTION "IDE"

typedef struct IdeDisk {
    const char* model;
    unsigned modelLen;
    unsigned long cylinders, heads, sectors;
} IdeDisk;

static void clear(unsigned char* to, unsigned long n) {
    unsigned long i;
    for (i = 0; i < n; ++i) to[i] = 0;
}

/* Drive n of [IDE]: "model, cylinders, heads, sectors". The geometry must be
 * what an IDE drive can report (16-bit cylinders, 1-16 heads, 1-255
 * sectors); anything else is no drive. */
static int find_disk(const DevicesState* state, unsigned drive, IdeDisk* disk) {
    char key[6] = {'D', 'i', 's', 'k', 0, 0};
    unsigned start, len, itemStart, itemLen;
    const char* list;
    unsigned long* numbers[3];
    unsigned i;
    if (!state->profile || drive >= DEVICES_IDE_DRIVES) return 0;
    key[4] = (char)('0' + drive);
    if (!testbed_find_value(state->profile, state->profileLen, IDE_SECTION, key, &start, &len))
        return 0;
    list = state->profile + start;
    if (!testbed_list_item(list, len, 0, &itemStart, &itemLen) || itemLen == 0) return 0;
    disk->model = list + itemStart;
    disk->modelLen = itemLen;
    numbers[0] = &disk->cylinders;
    numbers[1] = &disk->heads;
    numbers[2] = &disk->sectors;
    for (i = 0; i < 3; ++i) {
        if (!testbed_list_item(list, len, i + 1, &itemStart, &itemLen) ||
            !testbed_parse_uint(list + itemStart, itemLen, numbers[i]))
            return 0;
    }
    return disk->cylinders >= 1 && disk->cylinders <= 0xFFFF && disk->heads >= 1 &&
           disk->heads <= 16 && disk->sectors >= 1 && disk->sectors <= 255;
}

/* An identify text: padded with blanks, the two bytes of each word swapped. */
static void put_text(unsigned char* at, unsigned words, const char* text, unsigned len) {
    unsigned i;
    for (i = 0; i < 2 * words; ++i) {
        unsigned char c = (unsigned char)(i < len ? text[i] : ' ');
        at[i ^ 1] = c;
    }
}

DevicesResult devices_ide_identify(const DevicesState* state, const unsigned char* in,
                                   unsigned char* out, unsigned long* written) {
    static const char serial[] = "TB";
    static const char firmware[] = "TB1.0";
    IdeDisk disk;
    unsigned char* block = out + DEVICES_IDENTIFY_OFFSET;
    unsigned long sectors;
    if (!find_disk(state, in[0], &disk)) return DEVICES_NOT_FOUND;
    clear(out, DEVICES_IDE_IDENTIFY_SIZE);
    sectors = disk.cylinders * disk.heads * disk.sectors;
    put_word(block + 0, 0x0040); /* fixed drive */
    put_word(block + 2, disk.cylinders);
    put_word(block + 6, disk.heads);
    put_word(block + 12, disk.sectors);
    put_text(block + 20, 10, serial, sizeof serial - 1);
    put_text(block + 46, 4, firmware, sizeof firmware - 1);
    put_text(block + 54, 20, disk.model, disk.modelLen);
    put_word(block + 98, 0x0200); /* capabilities: LBA */
    put_dword(block + 120, sectors);
    *written = DEVICES_IDE_IDENTIFY_SIZE;
    return DEVICES_OK;
}

DevicesResult devices_disk_request(const DevicesState* state, const unsigned char* in,
                                   unsigned char* out, unsigned long* written) {
    IdeDisk disk;
    unsigned drive = in[0];
    if (!find_disk(state, drive, &disk)) return DEVICES_NOT_FOUND;
    clear(out, DEVICES_DISK_REQUEST_SIZE);
    put_dword(out + 0, drive);
    put_dword(out + 4, disk.cylinders);
    put_dword(out + 8, disk.heads);
    put_dword(out + 12, disk.sectors);
    put_dword(out + 16, disk.cylinders * disk.heads * disk.sectors);
    put_dword(out + 20, 512);
    *written = DEVICES_DISK_REQUEST_SIZE;
    return DEVICES_OK;
}
