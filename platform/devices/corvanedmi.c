/* corvanedmi.sys: the hardware-monitor driver of the testbed PC.
 *
 * One kernel-mode driver serves both names the suite opens, "CORVANEDMI"
 * (Windows NT callers) and "VCORVANEDMID.VXD" (Windows 95/98 callers; Wine asks
 * the object namespace first in every version mode). It answers from the
 * testbed profile named in HKLM\SOFTWARE\Testbed\Machine "Profile" and from
 * the SMBIOS table that the profile names; device_requests.c works out the
 * answers, this file does the kernel's part: names, files, registry, buffers.
 *
 * The profile is read again on every request, so a test that rewrites it sees
 * the change on its next call. The table is read again on every open; its
 * copy stays at one address for the driver's life, because callers translate
 * the structure addresses of the locate request with the table address of the
 * size request.
 */
#include <ddk/wdm.h>

#include "platform/devices/device_requests.h"
#include "platform/testbed/profile_parse.h"
#include "platform/testbed/profile_path.h"

/* Code page conversions of the kernel's run-time library (declared in the
 * file-system headers, which this driver does not otherwise need). */
NTSYSAPI NTSTATUS NTAPI RtlMultiByteToUnicodeN(PWCH unicode, ULONG maxUnicodeBytes,
                                               PULONG unicodeBytes, const CHAR* multiByte,
                                               ULONG multiByteBytes);
NTSYSAPI NTSTATUS NTAPI RtlUnicodeToMultiByteN(PCHAR multiByte, ULONG maxMultiByteBytes,
                                               PULONG multiByteBytes, PCWCH unicode,
                                               ULONG unicodeBytes);

#define POOL_TAG 0x43696D64UL /* "dmiC" */
#define PROFILE_CAP (256UL * 1024UL)
#define TABLE_CAP (1024UL * 1024UL)
#define PATH_CAP 520

static DEVICE_OBJECT* g_device;
static UNICODE_STRING g_deviceName;
static UNICODE_STRING g_ntLink;
static UNICODE_STRING g_vxdLink;
static int g_ntLinkMade;
static int g_vxdLinkMade;

/* Everything below is used under g_lock only: the driver host may hand
 * requests to more than one thread. */
static KMUTEX g_lock;
static DevicesState g_state;
static char* g_profile[2];        /* two buffers: a failed read keeps the last contents */
static unsigned g_profileLen;
static int g_profileCurrent;
static unsigned char* g_tableStore; /* 4 spare bytes, then the table */
static char g_profilePath[PATH_CAP];
static char g_tablePath[PATH_CAP];
static WCHAR g_wide[PATH_CAP];
static unsigned char g_keyValue[sizeof(KEY_VALUE_PARTIAL_INFORMATION) + 2 * PATH_CAP];

/* The Windows path of the profile, from the registry, as code page 932 text. */
static int read_profile_path(void) {
    UNICODE_STRING keyName, valueName;
    OBJECT_ATTRIBUTES attrs;
    HANDLE key;
    ULONG got = 0, bytes = 0;
    KEY_VALUE_PARTIAL_INFORMATION* info = (KEY_VALUE_PARTIAL_INFORMATION*)g_keyValue;
    NTSTATUS st;
    ULONG chars;

    g_profilePath[0] = 0;
    RtlInitUnicodeString(&keyName, L"\\Registry\\Machine\\SOFTWARE\\Testbed\\Machine");
    RtlInitUnicodeString(&valueName, L"Profile");
    InitializeObjectAttributes(&attrs, &keyName, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL,
                               NULL);
    if (!NT_SUCCESS(ZwOpenKey(&key, KEY_QUERY_VALUE, &attrs))) return 0;
    st = ZwQueryValueKey(key, &valueName, KeyValuePartialInformation, info, sizeof g_keyValue,
                         &got);
    ZwClose(key);
    if (!NT_SUCCESS(st) || (info->Type != REG_SZ && info->Type != REG_EXPAND_SZ)) return 0;
    if (info->DataLength > sizeof g_keyValue - FIELD_OFFSET(KEY_VALUE_PARTIAL_INFORMATION, Data))
        return 0;
    chars = info->DataLength / sizeof(WCHAR);
    while (chars > 0 && ((const WCHAR*)info->Data)[chars - 1] == 0) --chars;
    if (chars == 0) return 0;
    if (!NT_SUCCESS(RtlUnicodeToMultiByteN(g_profilePath, PATH_CAP - 1, &bytes,
                                           (WCHAR*)info->Data, chars * sizeof(WCHAR))))
        return 0;
    if (bytes >= PATH_CAP) return 0;
    g_profilePath[bytes] = 0;
    /* A path cut by the buffer would name another file. */
    if (bytes == PATH_CAP - 1) {
        g_profilePath[0] = 0;
        return 0;
    }
    return 1;
}

/* Reads a whole file named by a Windows path ("C:\...") into buffer, which
 * holds cap bytes. A larger file is refused. */
static NTSTATUS read_file(const char* path, unsigned char* buffer, ULONG cap, ULONG* len) {
    static const char prefix[] = "\\??\\";
    char full[PATH_CAP + 8];
    unsigned n = 0, i;
    ULONG wideBytes = 0, got = 0;
    UNICODE_STRING name;
    OBJECT_ATTRIBUTES attrs;
    IO_STATUS_BLOCK io;
    FILE_STANDARD_INFORMATION standard;
    HANDLE file;
    NTSTATUS st;

    *len = 0;
    if (!(path[0] == '\\' && path[1] == '?' && path[2] == '?' && path[3] == '\\'))
        for (i = 0; prefix[i]; ++i) full[n++] = prefix[i];
    for (i = 0; path[i]; ++i) {
        if (n >= sizeof full - 1) return STATUS_OBJECT_NAME_INVALID;
        full[n++] = path[i];
    }
    if (!NT_SUCCESS(RtlMultiByteToUnicodeN(g_wide, sizeof g_wide - sizeof(WCHAR), &wideBytes, full,
                                           n)))
        return STATUS_OBJECT_NAME_INVALID;
    name.Buffer = g_wide;
    name.Length = (USHORT)wideBytes;
    name.MaximumLength = (USHORT)wideBytes;
    InitializeObjectAttributes(&attrs, &name, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL, NULL);
    st = ZwCreateFile(&file, GENERIC_READ | SYNCHRONIZE, &attrs, &io, NULL, FILE_ATTRIBUTE_NORMAL,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_OPEN,
                      FILE_SYNCHRONOUS_IO_NONALERT | FILE_NON_DIRECTORY_FILE, NULL, 0);
    if (!NT_SUCCESS(st)) return st;
    st = ZwQueryInformationFile(file, &io, &standard, sizeof standard, FileStandardInformation);
    if (NT_SUCCESS(st) && (standard.EndOfFile.HighPart != 0 || standard.EndOfFile.LowPart > cap))
        st = STATUS_FILE_TOO_LARGE;
    while (NT_SUCCESS(st) && got < standard.EndOfFile.LowPart) {
        st = ZwReadFile(file, NULL, NULL, NULL, &io, buffer + got,
                        standard.EndOfFile.LowPart - got, NULL, NULL);
        if (NT_SUCCESS(st)) {
            if (io.Information == 0) break; /* the file became shorter */
            got += (ULONG)io.Information;
        } else if (st == STATUS_END_OF_FILE) {
            st = STATUS_SUCCESS;
            break;
        }
    }
    ZwClose(file);
    if (NT_SUCCESS(st)) *len = got;
    return st;
}

/* Reads the profile again. A missing registry value or file is an empty
 * profile; a file that cannot be read for the moment keeps the last one. */
static void reload_profile(void) {
    int next = 1 - g_profileCurrent;
    ULONG len = 0;
    NTSTATUS st;
    if (!read_profile_path()) {
        g_profileLen = 0;
    } else {
        st = read_file(g_profilePath, (unsigned char*)g_profile[next], PROFILE_CAP, &len);
        if (NT_SUCCESS(st)) {
            g_profileCurrent = next;
            g_profileLen = len;
        } else if (st == STATUS_OBJECT_NAME_NOT_FOUND || st == STATUS_OBJECT_PATH_NOT_FOUND ||
                   st == STATUS_FILE_TOO_LARGE || st == STATUS_OBJECT_NAME_INVALID) {
            g_profileLen = 0;
        }
    }
    g_state.profile = g_profile[g_profileCurrent];
    g_state.profileLen = g_profileLen;
    devices_profile_changed(&g_state);
}

/* Reads the table named in [SMBIOS] Table= into the driver's one copy. */
static void reload_table(void) {
    unsigned start, len;
    ULONG got = 0;
    g_state.table = g_tableStore + 4;
    g_state.tableLen = 0;
    if (g_profileLen == 0 ||
        !testbed_find_value(g_state.profile, g_state.profileLen, "SMBIOS", "Table", &start, &len) ||
        !testbed_resolve_path(g_profilePath, g_state.profile + start, len, g_tablePath, PATH_CAP))
        return;
    if (NT_SUCCESS(read_file(g_tablePath, g_tableStore + 4, TABLE_CAP, &got)))
        g_state.tableLen = got;
}

static void lock(void) {
    KeWaitForSingleObject(&g_lock, Executive, KernelMode, FALSE, NULL);
}

static void unlock(void) {
    KeReleaseMutex(&g_lock, FALSE);
}

static NTSTATUS complete(IRP* irp, NTSTATUS status, ULONG_PTR information) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static NTSTATUS WINAPI on_create(DEVICE_OBJECT* device, IRP* irp) {
    (void)device;
    lock();
    reload_profile();
    reload_table();
    unlock();
    return complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS WINAPI on_close(DEVICE_OBJECT* device, IRP* irp) {
    (void)device;
    return complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS status_of(DevicesResult result) {
    switch (result) {
    case DEVICES_OK: return STATUS_SUCCESS;
    case DEVICES_BAD_INPUT: return STATUS_INVALID_PARAMETER;
    case DEVICES_OUTPUT_TOO_SMALL: return STATUS_BUFFER_TOO_SMALL;
    case DEVICES_NOT_FOUND: return STATUS_NOT_FOUND;
    case DEVICES_NO_MONITOR: return STATUS_NO_SUCH_DEVICE;
    case DEVICES_FAILED: return STATUS_IO_DEVICE_ERROR;
    case DEVICES_UNKNOWN_CODE: return STATUS_INVALID_DEVICE_REQUEST;
    }
    return STATUS_INVALID_DEVICE_REQUEST;
}

/* The caller's buffers as the driver host hands them over, by the transfer
 * method in the code's low two bits. Wine copies both into the host process:
 * buffered codes share the system buffer; direct codes carry the input in the
 * system buffer and the output at the user buffer (also described by the MDL);
 * "neither" codes carry the input at Type3InputBuffer and the output at the
 * user buffer. The 95/98 service numbers are small, so 3, 7, 11 and 15 arrive
 * as "neither", 9 and 13 as direct input, 14 as direct output. */
static void caller_buffers(IRP* irp, IO_STACK_LOCATION* sp, void** in, void** out) {
    ULONG code = sp->Parameters.DeviceIoControl.IoControlCode;
    switch (code & 3) {
    case METHOD_BUFFERED:
        *in = irp->AssociatedIrp.SystemBuffer;
        *out = irp->AssociatedIrp.SystemBuffer;
        break;
    case METHOD_IN_DIRECT:
    case METHOD_OUT_DIRECT:
        *in = irp->AssociatedIrp.SystemBuffer;
        *out = irp->UserBuffer;
        if (!*out && irp->MdlAddress) *out = MmGetMdlVirtualAddress(irp->MdlAddress);
        break;
    default:
        *in = sp->Parameters.DeviceIoControl.Type3InputBuffer;
        *out = irp->UserBuffer;
        break;
    }
}

static NTSTATUS WINAPI on_ioctl(DEVICE_OBJECT* device, IRP* irp) {
    IO_STACK_LOCATION* sp = IoGetCurrentIrpStackLocation(irp);
    ULONG code = sp->Parameters.DeviceIoControl.IoControlCode;
    ULONG inLen = sp->Parameters.DeviceIoControl.InputBufferLength;
    ULONG outLen = sp->Parameters.DeviceIoControl.OutputBufferLength;
    void* in = NULL;
    void* out = NULL;
    unsigned long written = 0;
    unsigned long before;
    DevicesResult result;
    (void)device;

    caller_buffers(irp, sp, &in, &out);
    lock();
    before = g_state.profileHash;
    reload_profile();
    /* A rewritten profile may name another table; and a table that could not
     * be read when the handle was opened (the desk still starting) is tried
     * again rather than missing for the handle's whole life. */
    if (g_state.profileHash != before || g_state.tableLen == 0) reload_table();
    result = devices_answer(&g_state, code, in, in ? inLen : 0, out, out ? outLen : 0, &written);
    unlock();
    return complete(irp, status_of(result), result == DEVICES_OK ? written : 0);
}

static void release_all(void) {
    if (g_vxdLinkMade) IoDeleteSymbolicLink(&g_vxdLink);
    if (g_ntLinkMade) IoDeleteSymbolicLink(&g_ntLink);
    g_vxdLinkMade = g_ntLinkMade = 0;
    if (g_device) IoDeleteDevice(g_device);
    g_device = NULL;
    if (g_profile[0]) ExFreePoolWithTag(g_profile[0], POOL_TAG);
    if (g_profile[1]) ExFreePoolWithTag(g_profile[1], POOL_TAG);
    if (g_tableStore) ExFreePoolWithTag(g_tableStore, POOL_TAG);
    g_profile[0] = g_profile[1] = NULL;
    g_tableStore = NULL;
}

static void WINAPI on_unload(DRIVER_OBJECT* driver) {
    (void)driver;
    release_all();
}

NTSTATUS WINAPI DriverEntry(DRIVER_OBJECT* driver, UNICODE_STRING* registryPath) {
    NTSTATUS st;
    (void)registryPath;

    KeInitializeMutex(&g_lock, 0);
    devices_init(&g_state);
    g_profile[0] = (char*)ExAllocatePoolWithTag(NonPagedPool, PROFILE_CAP, POOL_TAG);
    g_profile[1] = (char*)ExAllocatePoolWithTag(NonPagedPool, PROFILE_CAP, POOL_TAG);
    g_tableStore = (unsigned char*)ExAllocatePoolWithTag(NonPagedPool, TABLE_CAP + 4, POOL_TAG);
    if (!g_profile[0] || !g_profile[1] || !g_tableStore) {
        release_all();
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    g_state.table = g_tableStore + 4;
    g_state.tableAddress = (unsigned long)(ULONG_PTR)(g_tableStore + 4);

    RtlInitUnicodeString(&g_deviceName, L"\\Device\\CORVANEDMI");
    RtlInitUnicodeString(&g_ntLink, L"\\DosDevices\\CORVANEDMI");
    RtlInitUnicodeString(&g_vxdLink, L"\\DosDevices\\VCORVANEDMID.VXD");
    st = IoCreateDevice(driver, 0, &g_deviceName, FILE_DEVICE_UNKNOWN, 0, FALSE, &g_device);
    if (!NT_SUCCESS(st)) {
        g_device = NULL;
        release_all();
        return st;
    }
    g_device->Flags |= DO_BUFFERED_IO;
    st = IoCreateSymbolicLink(&g_ntLink, &g_deviceName);
    if (NT_SUCCESS(st)) {
        g_ntLinkMade = 1;
        st = IoCreateSymbolicLink(&g_vxdLink, &g_deviceName);
        if (NT_SUCCESS(st)) g_vxdLinkMade = 1;
    }
    if (!NT_SUCCESS(st)) {
        release_all();
        return st;
    }
    driver->MajorFunction[IRP_MJ_CREATE] = on_create;
    driver->MajorFunction[IRP_MJ_CLOSE] = on_close;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = on_ioctl;
    driver->DriverUnload = on_unload;
    return STATUS_SUCCESS;
}
