#include "platform/tidemark/drive_names.h"

namespace tidemark {

int DriveIndexOf(const char* drive)
{
    if (!drive)
        return -1;
    char letter = drive[0];
    if (letter >= 'A' && letter <= 'Z')
        letter = static_cast<char>(letter - 'A' + 'a');
    if (letter < 'a' || letter > 'z' || drive[1] != ':')
        return -1;
    return letter - 'a';
}

bool FormatDriveName(int index, char out[3])
{
    if (index < 0 || index >= kMaxDrives)
        return false;
    out[0] = static_cast<char>('a' + index);
    out[1] = ':';
    out[2] = '\0';
    return true;
}

DriveList SelectFixedDrives(uint32_t logicalMask, const unsigned driveTypes[kMaxDrives])
{
    DriveList list = {};
    for (int i = 0; i < kMaxDrives; ++i) {
        if ((logicalMask & (1u << i)) && driveTypes[i] == kDriveTypeFixed)
            list.index[list.count++] = i;
    }
    return list;
}

}  // namespace tidemark
