/* The IDE devices of the testbed PC, as the driver's IDE identify (3 /
 * 0x8000200C) and disk request (7 / 0x8000201C) answer them.
 *
 * The profile's [IDE] section names the fixed disks by drive number, 0 to 3
 * (primary master, primary slave, secondary master, secondary slave):
 *   Disk0=model, cylinders, heads, sectors per track
 *
 * IDE identify, 530 bytes in and out. In: byte 0 the drive number. Out: a
 * 16-bit status (0), 16 reserved bytes, then the drive's 512-byte identify
 * block (256 little-endian words: word 0 general configuration, 1 cylinders,
 * 3 heads, 6 sectors per track, 10-19 serial number, 23-26 firmware, 27-46
 * model, each text with the two bytes of a word swapped as drives send them,
 * 60-61 the addressable sectors).
 *
 * Disk request, 200 bytes in and out. In: byte 0 the drive number. Out: 32-bit
 * words of drive number, cylinders, heads, sectors per track, total sectors
 * and bytes per sector (512); the rest zero.
 */
#ifndef DEVICES_IDE_REQUESTS_H
#define DEVICES_IDE_REQUESTS_H

#include "platform/devices/device_requests.h"

#ifdef __cplusplus
extern "C" {
#endif

enum { DEVICES_IDE_DRIVES = 4, DEVICES_IDENTIFY_OFFSET = 18 };

/* in and out hold the request's full size (checked by the caller). */
DevicesResult devices_ide_identify(const DevicesState* state, const unsigned char* in,
                                   unsigned char* out, unsigned long* written);
DevicesResult devices_disk_request(const DevicesState* state, const unsigned char* in,
                                   unsigned char* out, unsigned long* written);

#ifdef __cplusplus
}
#endif

#endif
