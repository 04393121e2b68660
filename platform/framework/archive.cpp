#include "platform/framework/archive.h"

#include <cstring>

namespace fw {

namespace {

const WORD tagNull = 0x0000;
const WORD tagNewClass = 0xFFFF;
const WORD tagClassBit = 0x8000;
const WORD tagBigIndex = 0x7FFF;
const DWORD bigClassBit = 0x80000000;

std::map<std::string, const CSerialClass*>& Registry()
{
    static std::map<std::string, const CSerialClass*> registry;
    return registry;
}

// Closes a file handle when it goes out of scope.
struct FileHandle {
    HANDLE h;
    ~FileHandle()
    {
        if (h != INVALID_HANDLE_VALUE)
            ::CloseHandle(h);
    }
};

}  // namespace

bool RegisterSerialClass(const CSerialClass& cls)
{
    if (!cls.m_name || !cls.m_name[0] || !cls.m_create || std::strlen(cls.m_name) >= tagNewClass)
        return false;
    auto& registry = Registry();
    auto it = registry.find(cls.m_name);
    if (it != registry.end())
        return it->second == &cls ||
               (it->second->m_schema == cls.m_schema && it->second->m_create == cls.m_create);
    registry[cls.m_name] = &cls;
    return true;
}

const CSerialClass* FindSerialClass(const std::string& name)
{
    auto& registry = Registry();
    auto it = registry.find(name);
    return it == registry.end() ? nullptr : it->second;
}

CArchive::CArchive(Mode mode) : m_mode(mode)
{
    m_loaded.push_back(LoadedEntry{nullptr, nullptr});
}

CArchive::CArchive(const void* data, size_t size) : CArchive(load)
{
    if (size)
        m_data.assign(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
}

bool CArchive::ReadFromFile(const char* path)
{
    m_mode = load;
    m_data.clear();
    m_pos = 0;
    FileHandle file{::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) {
        m_fileError = ::GetLastError();
        Fail(Status::fileError);
        return false;
    }
    DWORD high = 0;
    DWORD size = ::GetFileSize(file.h, &high);
    if (size == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) {
        m_fileError = ::GetLastError();
        Fail(Status::fileError);
        return false;
    }
    if (high != 0 || size > maxFileBytes) {
        m_fileError = ERROR_FILE_TOO_LARGE;
        Fail(Status::fileError);
        return false;
    }
    std::vector<BYTE> bytes(size);
    DWORD got = 0;
    if (size && (!::ReadFile(file.h, bytes.data(), size, &got, nullptr) || got != size)) {
        m_fileError = got != size && ::GetLastError() == NO_ERROR ? ERROR_HANDLE_EOF : ::GetLastError();
        Fail(Status::fileError);
        return false;
    }
    m_data.swap(bytes);
    return Ok();
}

bool CArchive::WriteToFile(const char* path)
{
    if (!CanWrite())
        return false;
    FileHandle file{::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) {
        m_fileError = ::GetLastError();
        Fail(Status::fileError);
        return false;
    }
    DWORD written = 0;
    DWORD size = static_cast<DWORD>(m_data.size());
    if (size && (!::WriteFile(file.h, m_data.data(), size, &written, nullptr) || written != size)) {
        m_fileError = ::GetLastError();
        Fail(Status::fileError);
        return false;
    }
    return true;
}

void CArchive::Fail(Status why)
{
    if (m_status == Status::ok)
        m_status = why;
}

bool CArchive::CanWrite()
{
    if (m_mode != store)
        Fail(Status::wrongMode);
    return Ok();
}

// True when size more bytes can be read; otherwise the archive fails.
bool CArchive::Need(size_t size)
{
    if (m_mode != load)
        Fail(Status::wrongMode);
    else if (Ok() && size > Remaining())
        Fail(Status::endOfData);
    return Ok();
}

void CArchive::Write(const void* data, size_t size)
{
    if (CanWrite() && size)
        m_data.insert(m_data.end(), static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
}

bool CArchive::Read(void* data, size_t size)
{
    if (!Need(size))
        return false;
    if (size)
        std::memcpy(data, m_data.data() + m_pos, size);
    m_pos += size;
    return true;
}

CArchive& CArchive::operator<<(BYTE v)
{
    Write(&v, 1);
    return *this;
}

CArchive& CArchive::operator<<(WORD v)
{
    BYTE b[2] = {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8)};
    Write(b, 2);
    return *this;
}

CArchive& CArchive::operator<<(DWORD v)
{
    BYTE b[4] = {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16),
                 static_cast<BYTE>(v >> 24)};
    Write(b, 4);
    return *this;
}

CArchive& CArchive::operator<<(const std::string& s)
{
    size_t n = s.size();
    if (n < 0xFF) {
        *this << static_cast<BYTE>(n);
    } else {
        *this << static_cast<BYTE>(0xFF);
        if (n < 0xFFFF) {
            *this << static_cast<WORD>(n);
        } else {
            *this << static_cast<WORD>(0xFFFF);
            *this << static_cast<DWORD>(n);
        }
    }
    Write(s.data(), n);
    return *this;
}

CArchive& CArchive::operator>>(BYTE& v)
{
    BYTE b = 0;
    Read(&b, 1);
    v = b;
    return *this;
}

CArchive& CArchive::operator>>(WORD& v)
{
    BYTE b[2] = {};
    Read(b, 2);
    v = static_cast<WORD>(b[0] | (b[1] << 8));
    return *this;
}

CArchive& CArchive::operator>>(DWORD& v)
{
    BYTE b[4] = {};
    Read(b, 4);
    v = static_cast<DWORD>(b[0]) | (static_cast<DWORD>(b[1]) << 8) | (static_cast<DWORD>(b[2]) << 16) |
        (static_cast<DWORD>(b[3]) << 24);
    return *this;
}

CArchive& CArchive::operator>>(short& v)
{
    WORD w = 0;
    *this >> w;
    v = static_cast<short>(w);
    return *this;
}

CArchive& CArchive::operator>>(LONG& v)
{
    DWORD d = 0;
    *this >> d;
    v = static_cast<LONG>(d);
    return *this;
}

CArchive& CArchive::operator>>(int& v)
{
    DWORD d = 0;
    *this >> d;
    v = static_cast<int>(d);
    return *this;
}

CArchive& CArchive::operator>>(UINT& v)
{
    DWORD d = 0;
    *this >> d;
    v = static_cast<UINT>(d);
    return *this;
}

namespace {

// Reads a string's byte count; false (archive failed) when it is malformed
// or more than the bytes left.
bool ReadStringLength(CArchive& ar, DWORD& length)
{
    BYTE b = 0;
    ar >> b;
    length = b;
    if (b == 0xFF) {
        WORD w = 0;
        ar >> w;
        length = w;
        if (w == 0xFFFF)
            ar >> length;
    }
    if (ar.Ok() && length > ar.Remaining())
        ar.Fail(CArchive::Status::badCount);
    return ar.Ok();
}

}  // namespace

CArchive& CArchive::operator>>(std::string& s)
{
    DWORD length = 0;
    if (!ReadStringLength(*this, length))
        return *this;
    s.assign(reinterpret_cast<const char*>(m_data.data() + m_pos), length);
    m_pos += length;
    return *this;
}

bool CArchive::ReadString(char* buffer, size_t size)
{
    DWORD length = 0;
    if (!ReadStringLength(*this, length))
        return false;
    if (length >= size) {
        Fail(Status::badCount);
        return false;
    }
    std::memcpy(buffer, m_data.data() + m_pos, length);
    buffer[length] = '\0';
    m_pos += length;
    return true;
}

void CArchive::WriteCount(DWORD count)
{
    if (count < 0xFFFF) {
        *this << static_cast<WORD>(count);
    } else {
        *this << static_cast<WORD>(0xFFFF);
        *this << count;
    }
}

bool CArchive::ReadCount(DWORD& count, size_t minItemBytes)
{
    WORD w = 0;
    DWORD n = 0;
    *this >> w;
    n = w;
    if (w == 0xFFFF)
        *this >> n;
    if (!Ok())
        return false;
    if (minItemBytes == 0)
        minItemBytes = 1;
    if (n > Remaining() / minItemBytes) {
        Fail(Status::badCount);
        return false;
    }
    count = n;
    return true;
}

// An index tag: a WORD when it fits below the escape, else the escape and a DWORD.
void CArchive::WriteIndexTag(DWORD index, bool isClass)
{
    if (index < tagBigIndex) {
        *this << static_cast<WORD>(isClass ? (tagClassBit | index) : index);
    } else {
        *this << tagBigIndex;
        *this << static_cast<DWORD>(isClass ? (bigClassBit | index) : index);
    }
}

void CArchive::WriteObject(const CObject* obj)
{
    if (!CanWrite())
        return;
    if (!obj) {
        *this << tagNull;
        return;
    }
    auto seen = m_storedObjects.find(obj);
    if (seen != m_storedObjects.end()) {
        WriteIndexTag(seen->second, false);
        return;
    }
    const CSerialClass* cls = obj->SerialClass();
    if (!cls || !cls->m_name || !cls->m_name[0] || std::strlen(cls->m_name) >= tagNewClass) {
        Fail(Status::notSerialisable);
        return;
    }
    if (m_depth >= maxDepth) {
        Fail(Status::tooDeep);
        return;
    }
    auto known = m_storedClasses.find(cls->m_name);
    if (known != m_storedClasses.end()) {
        WriteIndexTag(known->second, true);
    } else {
        size_t nameLength = std::strlen(cls->m_name);
        *this << tagNewClass << cls->m_schema << static_cast<WORD>(nameLength);
        Write(cls->m_name, nameLength);
        m_storedClasses[cls->m_name] = m_nextIndex++;
    }
    // The object takes its index before its data, so objects inside it that
    // refer back to it find it.
    m_storedObjects[obj] = m_nextIndex++;
    ++m_depth;
    const_cast<CObject*>(obj)->Serialize(*this);
    --m_depth;
}

std::shared_ptr<CObject> CArchive::ReadObject(const CSerialClass* expected)
{
    if (m_mode != load)
        Fail(Status::wrongMode);
    if (!Ok())
        return nullptr;
    if (m_depth >= maxDepth) {
        Fail(Status::tooDeep);
        return nullptr;
    }
    WORD tag = 0;
    *this >> tag;
    if (!Ok() || tag == tagNull)
        return nullptr;

    const CSerialClass* cls = nullptr;
    if (tag == tagNewClass) {
        WORD schema = 0, nameLength = 0;
        *this >> schema >> nameLength;
        if (Ok() && nameLength > Remaining())
            Fail(Status::badCount);
        if (!Ok())
            return nullptr;
        std::string name(reinterpret_cast<const char*>(m_data.data() + m_pos), nameLength);
        m_pos += nameLength;
        cls = FindSerialClass(name);
        if (!cls) {
            Fail(Status::unknownClass);
            return nullptr;
        }
        if (cls->m_schema != schema) {
            Fail(Status::badSchema);
            return nullptr;
        }
        m_loaded.push_back(LoadedEntry{cls, nullptr});
    } else {
        DWORD index = tag;
        bool isClass = (tag & tagClassBit) != 0;
        if (isClass) {
            index = tag & ~tagClassBit;
        } else if (tag == tagBigIndex) {
            *this >> index;
            if (!Ok())
                return nullptr;
            isClass = (index & bigClassBit) != 0;
            index &= ~bigClassBit;
        }
        if (index == 0 || index >= m_loaded.size()) {
            Fail(Status::badIndex);
            return nullptr;
        }
        const LoadedEntry& entry = m_loaded[index];
        if (!isClass) {
            // A reference to an object already loaded; an index of a class is wrong here.
            if (!entry.object) {
                Fail(Status::badIndex);
                return nullptr;
            }
            if (expected && entry.object->SerialClass() != expected &&
                (!entry.object->SerialClass() ||
                 std::strcmp(entry.object->SerialClass()->m_name, expected->m_name) != 0)) {
                Fail(Status::wrongClass);
                return nullptr;
            }
            return entry.object;
        }
        if (!entry.cls) {
            Fail(Status::badIndex);
            return nullptr;
        }
        cls = entry.cls;
    }

    if (expected && cls != expected && std::strcmp(cls->m_name, expected->m_name) != 0) {
        Fail(Status::wrongClass);
        return nullptr;
    }
    std::shared_ptr<CObject> obj(cls->m_create());
    if (!obj) {
        Fail(Status::badData);
        return nullptr;
    }
    size_t slot = m_loaded.size();
    m_loaded.push_back(LoadedEntry{nullptr, obj});
    ++m_depth;
    obj->Serialize(*this);
    --m_depth;
    if (!Ok()) {
        // Nothing that failed is handed out, not even to a later reference.
        m_loaded[slot].object.reset();
        return nullptr;
    }
    return obj;
}

}  // namespace fw
