// Loading a picture's bitmap file from disk, with the failures the view
// tells the user about.
#pragma once
#include <string>

#include "korvisa/picture/dib_file.h"

namespace korvisa {

enum class PictureLoad {
    Ok,
    OpenFailed,   // the file cannot be opened for reading
    Broken,       // not a bitmap, short, or its headers run past its data
    TooLarge,     // a negative width or height
};

// Reads the whole file; files above kMaxPictureFile bytes are broken ones.
constexpr size_t kMaxPictureFile = 64u * 1024 * 1024;
PictureLoad LoadPictureFile(const std::string& path, DibImage& out);

}  // namespace korvisa
