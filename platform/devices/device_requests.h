/* The answers of the hardware-monitor driver, apart from the kernel.
 *
 * Pure C99 without the C library, like the testbed's readers, so that the
 * driver (linked with -nostdlib) and user-mode code can both use it. The
 * kernel side reads the profile and the SMBIOS table, finds the caller's
 * buffers and turns the results into status codes; everything that looks at
 * the bytes a caller sent is here.
 *
 * Control codes, as Windows 95/98 callers pass them (a small service number)
 * and as NT callers pass them (device type 0x8000, buffered):
 *   3 / 0x8000200C  IDE identify, 530 bytes in and out
 *   7 / 0x8000201C  disk request, 200 bytes in and out
 *   8 / 0x80002020  write health limits, 502 bytes in, the same 502 back
 *                   (refused while the profile says RefuseLimits=1)
 *   9 / 0x80002024  read health readings, no input, 30 bytes out
 *  11 / 0x8000202C  SMBIOS table size record, no input, 16 bytes out
 *  12 / 0x80002030  copy of the SMBIOS table, no input, table size out
 *  13 / 0x80002034  locate a structure, 8 bytes in, 4 bytes out
 *  14 / 0x80002038  is the hardware monitor there, no buffers
 *  15 / 0x8000203C  configure the hardware monitor, 144 bytes in
 */
#ifndef DEVICES_DEVICE_REQUESTS_H
#define DEVICES_DEVICE_REQUESTS_H

#ifdef __cplusplus
extern "C" {
#endif

enum {
    DEVICES_IDE_IDENTIFY_SIZE = 530,
    DEVICES_DISK_REQUEST_SIZE = 200,
    DEVICES_LIMITS_SIZE = 502,
    DEVICES_READINGS_SIZE = 30,
    DEVICES_TABLE_INFO_SIZE = 16,
    DEVICES_LOCATE_SIZE = 8,
    DEVICES_ADDRESS_SIZE = 4,
    DEVICES_CONFIGURE_SIZE = 144
};

/* What became of a request; the kernel side maps it to a status code. */
typedef enum DevicesResult {
    DEVICES_OK = 0,
    DEVICES_BAD_INPUT,        /* input missing or of the wrong size */
    DEVICES_OUTPUT_TOO_SMALL, /* the output buffer cannot hold the answer */
    DEVICES_NOT_FOUND,        /* no such structure or IDE drive, or no table at all */
    DEVICES_NO_MONITOR,       /* the profile says there is no hardware monitor */
    DEVICES_FAILED,           /* the profile makes this code fail (FailCalls) */
    DEVICES_UNKNOWN_CODE
} DevicesResult;

/* What the driver keeps between requests. The kernel side fills profile,
 * table and tableAddress; the rest belongs to devices_answer. */
typedef struct DevicesState {
    const char* profile;          /* the testbed profile's bytes */
    unsigned profileLen;
    const unsigned char* table;   /* the SMBIOS structure table */
    unsigned tableLen;
    unsigned long tableAddress;   /* where the table lies in the driver, as callers see it */
    unsigned long profileHash;    /* of the profile the read counter belongs to */
    unsigned long readsAnswered;  /* readings given since the profile last changed */
    int configured;               /* a configure record has been received */
    unsigned char configure[DEVICES_CONFIGURE_SIZE];
    int limitsSet;                /* a limits record has been received */
    unsigned char limits[DEVICES_LIMITS_SIZE];
} DevicesState;

/* Clears the state (no profile, no table). */
void devices_init(DevicesState* state);

/* Called after the profile has been read again: a changed profile starts
 * counting the "not ready" readings anew. */
void devices_profile_changed(DevicesState* state);

/* Answers one control code. in/inLen and out/outLen are the caller's buffers
 * as the driver received them (either pointer may be null with a length of
 * 0). On DEVICES_OK *written holds the bytes of out that carry the answer;
 * otherwise it is 0 and out is left as it was. */
DevicesResult devices_answer(DevicesState* state, unsigned long code, const void* in,
                             unsigned long inLen, void* out, unsigned long outLen,
                             unsigned long* written);

#ifdef __cplusplus
}
#endif

#endif
