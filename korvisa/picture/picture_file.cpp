#include "korvisa/picture/picture_file.h"

#include <windows.h>

#include <vector>

namespace korvisa {

PictureLoad LoadPictureFile(const std::string& path, DibImage& out)
{
    out = DibImage();
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return PictureLoad::OpenFailed;
    DWORD high = 0;
    DWORD size = ::GetFileSize(file, &high);
    std::vector<uint8_t> bytes;
    bool read = false;
    if (size != INVALID_FILE_SIZE && high == 0 && size <= kMaxPictureFile) {
        bytes.resize(size);
        DWORD got = 0;
        read = size == 0 || (::ReadFile(file, bytes.data(), size, &got, nullptr) && got == size);
    }
    ::CloseHandle(file);
    if (!read)
        return PictureLoad::Broken;
    switch (ParseDibFile(bytes.data(), bytes.size(), out)) {
    case DibStatus::Ok: return PictureLoad::Ok;
    case DibStatus::TooLarge: return PictureLoad::TooLarge;
    default: return PictureLoad::Broken;
    }
}

}  // namespace korvisa
