// The file side of the MIF generation: the done check, reading the proto-MIF,
// writing the MIF and moving the proto-MIF into the backup folder.
//
// Files below the DMI installation folder:
//   db\mifs\pcmif.corvane         the proto-MIF (input)
//   db\mifs\pcmif.mif             the generated MIF (created or truncated)
//   db\mifs\backup\pcmif.corvane  the proto-MIF after a successful generation
//   db\mifs\backup\pcmif.mif      when present, also marks the generation as done
#pragma once

#include <cstddef>
#include <string>

#include "bramble/mif/mif_generator.h"

namespace bramble {

// Why a file step failed, in the terms the messages use.
enum class MifFileCause {
    kNone,
    kGeneric,
    kFileNotFound,
    kBadPath,
    kTooManyOpenFiles,
    kAccessDenied,
    kInvalidHandle,
    kRemoveCurrentDir,
    kDirectoryFull,
    kBadSeek,
    kHardwareIo,
    kSharingViolation,
    kLockViolation,
    kDiskFull,
    kEndOfFile,
};

// The cause of a Win32 error code.
MifFileCause CauseOfError(unsigned long error);

enum class MifRunOutcome {
    kAlreadyDone,  // a backup file exists: nothing generated
    kGenerated,    // pcmif.mif written, the proto-MIF moved into the backup folder
    kFileError,    // opening, reading, writing or moving failed (see cause)
    kBadProtoMif,  // the proto-MIF's sections are wrong (see generation)
};

struct MifRunResult {
    MifRunOutcome outcome = MifRunOutcome::kFileError;
    MifFileCause cause = MifFileCause::kNone;  // for kFileError
    MifGenResult generation;                   // for kBadProtoMif
    // 1 for done or generated, 0 for a failure (start-up then stops).
    int Result() const
    {
        return outcome == MifRunOutcome::kAlreadyDone || outcome == MifRunOutcome::kGenerated ? 1 : 0;
    }
};

// A proto-MIF larger than this is refused (kGeneric) rather than read.
constexpr size_t kMaxProtoMifBytes = 8u * 1024 * 1024;

// The DMI installation folder: the DMIDIR value of the service layer's key under
// HKEY_LOCAL_MACHINE, at most 259 bytes (cut without splitting a double-byte
// character); "" when the key or value is missing or not a string.
std::string MifDmiDir();

// True when either backup file can be opened for reading.
bool MifGenerationDone(const std::string& dmiDir);

// The whole generation for the DMI installation folder dmiDir (the DMIDIR
// registry value, "" when missing). Never shows anything: the caller shows
// MifMessageId(result) when it is not 0.
MifRunResult RunMifGeneration(const std::string& dmiDir, const MifInputs& inputs);

// The message to show for a result: 114-123 for the file causes that have one,
// 2000 for a section without an end or too long, 0 for none.
int MifMessageId(const MifRunResult& result);

// The text of message id (114-123, 2000), "" for others.
const char* MifMessageText(int id);

}  // namespace bramble
