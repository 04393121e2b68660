#include "platform/dmi/mif_folder.h"

#include <windows.h>

#include <algorithm>

#include "common/cp932.h"
#include "common/path.h"

namespace {

std::string UpperAscii(const std::string& text) {
    std::string out = text;
    for (size_t i = 0; i < out.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(out[i]);
        if (cp932::IsLeadByte(c)) {
            ++i;  // a double-byte character: its second byte is no letter
        } else if (c >= 'a' && c <= 'z') {
            out[i] = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

// Short names can make "*.mif" match "x.mifold"; only a real ".mif" counts.
bool HasMifExtension(const std::string& name) {
    return name.size() > 4 && UpperAscii(name.substr(name.size() - 4)) == ".MIF";
}

std::string ErrorText(const char* what, DWORD code) {
    return std::string(what) + " (error " + std::to_string(code) + ")";
}

}  // namespace

bool operator==(const MifFolderSignature& a, const MifFolderSignature& b) {
    if (a.listed != b.listed || a.files.size() != b.files.size()) {
        return false;
    }
    for (size_t i = 0; i < a.files.size(); ++i) {
        const MifFileStamp& x = a.files[i];
        const MifFileStamp& y = b.files[i];
        if (x.name != y.name || x.size != y.size || x.writeTime != y.writeTime) {
            return false;
        }
    }
    return true;
}

bool operator!=(const MifFolderSignature& a, const MifFolderSignature& b) {
    return !(a == b);
}

bool ListMifFolder(const std::string& folder, MifFolderSignature* out, std::string* error) {
    *out = MifFolderSignature();
    error->clear();
    char pattern[MAX_PATH];
    if (!path::JoinPath(pattern, sizeof pattern, folder.c_str(), "*.mif")) {
        *error = "the folder's path is too long";
        return false;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES) {
            out->listed = true;
            return true;
        }
        *error = ErrorText("cannot list the folder", code);
        return false;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            continue;
        }
        MifFileStamp stamp;
        stamp.name = found.cFileName;
        if (!HasMifExtension(stamp.name)) {
            continue;
        }
        stamp.size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        stamp.writeTime = (static_cast<uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                          found.ftLastWriteTime.dwLowDateTime;
        out->files.push_back(stamp);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(out->files.begin(), out->files.end(),
              [](const MifFileStamp& a, const MifFileStamp& b) {
                  return UpperAscii(a.name) < UpperAscii(b.name);
              });
    if (out->files.size() > kMaxMifFiles) {
        *error = "more than " + std::to_string(kMaxMifFiles) + " MIF files; the rest are left out";
        out->files.resize(kMaxMifFiles);
    }
    out->listed = true;
    return true;
}

bool ReadMifFile(const std::string& folder, const std::string& name, std::string* text,
                 std::string* error) {
    text->clear();
    error->clear();
    char filePath[MAX_PATH];
    if (!path::JoinPath(filePath, sizeof filePath, folder.c_str(), name.c_str())) {
        *error = "the file's path is too long";
        return false;
    }
    HANDLE file = CreateFileA(filePath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *error = ErrorText("cannot open the file", GetLastError());
        return false;
    }
    DWORD high = 0;
    const DWORD low = GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        *error = ErrorText("cannot read the file's size", GetLastError());
        CloseHandle(file);
        return false;
    }
    if (high != 0 || low > kMaxMifFileSize) {
        *error = "the file is larger than " + std::to_string(kMaxMifFileSize) + " bytes";
        CloseHandle(file);
        return false;
    }
    text->resize(low);
    size_t done = 0;
    while (done < text->size()) {
        DWORD got = 0;
        if (!ReadFile(file, &(*text)[done], static_cast<DWORD>(text->size() - done), &got,
                      nullptr)) {
            *error = ErrorText("cannot read the file", GetLastError());
            CloseHandle(file);
            text->clear();
            return false;
        }
        if (got == 0) {
            break;  // it shrank since its size was taken
        }
        done += got;
    }
    text->resize(done);
    CloseHandle(file);
    return true;
}
