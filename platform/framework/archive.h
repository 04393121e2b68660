// The object archive: the framework's serialisation format, over a byte buffer
// or a file, storing or loading.
//
// Primitives are little-endian. A string is its byte count and its bytes
// (code page 932 text is not converted): a BYTE count below 0xFF; otherwise
// 0xFF and a WORD count below 0xFFFF; otherwise 0xFF, 0xFFFF and a DWORD count.
// A collection count is a WORD below 0xFFFF, otherwise 0xFFFF and a DWORD.
//
// An object reference starts with a WORD tag:
//   0x0000            no object (null);
//   0xFFFF            a class not seen before: its schema WORD, its name's
//                     length WORD and the name bytes, then a new object of it;
//   0x8000 | n        a new object of the class that has index n;
//   n (1 .. 0x7FFE)   the object stored before with index n;
//   0x7FFF            an index too large for a WORD follows as a DWORD (with
//                     bit 31 set for a class, clear for an object).
// A new object's data (what its Serialize writes) follows its tag.
//
// Indexes: classes and objects share one count that starts at 1 (0 is the null
// object). Each class written in full takes the next index, and so does each new
// object, right after its class tag and before its data; so a single object of
// a new class is class 1 and object 2, the next new object of that class is
// written as 0x8001 and becomes 3, and a second class then becomes 4.
//
// Loading creates each new object by its class name through the registry; a
// name that is not registered, or a schema other than the registered one, fails.
// Loading checks every read against the bytes left. A failure is sticky: the
// status says why, later reads give zero and do not move, and an object whose
// data failed is discarded, so a caller that assigns only on success keeps its
// own objects as they were. Loaded objects are shared: a back-reference gives
// the same object again (an object that refers back to itself is kept alive by
// that reference).
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fw {

class CArchive;
class CObject;

// What the archive knows of a serialisable class: its stored name, its schema
// and how to make an empty object of it when loading.
struct CSerialClass {
    const char* m_name;
    WORD m_schema;
    CObject* (*m_create)();
};

template <class T>
CObject* CreateSerialObject()
{
    return new T;
}

class CObject {
public:
    virtual ~CObject() = default;
    // The class the object is stored as; null for objects that cannot be stored.
    virtual const CSerialClass* SerialClass() const { return nullptr; }
    // Writes (ar.IsStoring()) or reads the object's data.
    virtual void Serialize(CArchive& ar) { (void)ar; }
};

// The registry of classes that can be created by name when loading. Registering
// the same class again is harmless; another class under a name already taken,
// an empty name or no factory is refused.
bool RegisterSerialClass(const CSerialClass& cls);
const CSerialClass* FindSerialClass(const std::string& name);

class CArchive {
public:
    enum Mode { store, load };
    enum class Status {
        ok,
        endOfData,       // a read past the last byte
        badTag,          // an object tag that means nothing here
        unknownClass,    // a class name that is not registered
        badSchema,       // a class stored with another schema than the registered one
        badIndex,        // a class or object index not (yet) known
        badCount,        // a count or length more than the bytes left could hold
        wrongClass,      // an object of another class than the caller expects
        notSerialisable, // storing an object without a class
        tooDeep,         // objects nested deeper than the archive allows
        badData,         // refused by an object's own checks (Fail)
        wrongMode,       // a read on a storing archive or a write on a loading one
        fileError,       // the file could not be opened, read or written
    };

    // Objects within objects deeper than this fail (a hostile archive must
    // not exhaust the stack); files larger than maxFileBytes are not read.
    static const int maxDepth = 64;
    static const DWORD maxFileBytes = 16 * 1024 * 1024;

    // A storing archive (store) or an empty loading one (load).
    explicit CArchive(Mode mode = store);
    // A loading archive over a copy of the bytes.
    CArchive(const void* data, size_t size);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    // Makes this a loading archive over the whole file; false (and the
    // status fileError with FileError() set) when it cannot be read.
    bool ReadFromFile(const char* path);
    // Writes the bytes stored so far to the file (created or replaced).
    bool WriteToFile(const char* path);

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }
    bool Ok() const { return m_status == Status::ok; }
    Status GetStatus() const { return m_status; }
    DWORD FileError() const { return m_fileError; }
    // Marks the archive failed (the first cause is kept).
    void Fail(Status why);

    // Stored bytes (storing) or the whole loaded buffer.
    const std::vector<BYTE>& Data() const { return m_data; }
    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_data.size() - m_pos; }
    // True when nothing is left to read, or the archive has failed.
    bool IsAtEnd() const { return !Ok() || m_pos >= m_data.size(); }

    // Raw bytes.
    void Write(const void* data, size_t size);
    bool Read(void* data, size_t size);

    CArchive& operator<<(BYTE v);
    CArchive& operator<<(WORD v);
    CArchive& operator<<(short v) { return *this << static_cast<WORD>(v); }
    CArchive& operator<<(DWORD v);
    CArchive& operator<<(LONG v) { return *this << static_cast<DWORD>(v); }
    CArchive& operator<<(int v) { return *this << static_cast<DWORD>(v); }
    CArchive& operator<<(UINT v) { return *this << static_cast<DWORD>(v); }
    CArchive& operator<<(const std::string& s);
    CArchive& operator<<(const char* s) { return *this << std::string(s ? s : ""); }

    CArchive& operator>>(BYTE& v);
    CArchive& operator>>(WORD& v);
    CArchive& operator>>(short& v);
    CArchive& operator>>(DWORD& v);
    CArchive& operator>>(LONG& v);
    CArchive& operator>>(int& v);
    CArchive& operator>>(UINT& v);
    CArchive& operator>>(std::string& s);

    // A string into a fixed buffer, NUL-terminated; a string that does not
    // fit (with its NUL) fails with badCount and leaves the buffer as it was.
    bool ReadString(char* buffer, size_t size);

    // Collection counts. A loaded count is refused (badCount) when the bytes
    // left cannot hold that many items of at least minItemBytes each.
    void WriteCount(DWORD count);
    bool ReadCount(DWORD& count, size_t minItemBytes = 1);

    // Objects: null, new (with its class when not yet written) or a
    // reference to one stored before in this archive.
    void WriteObject(const CObject* obj);
    // The next object (null for a null tag); on failure null and !Ok().
    // A new object that is not of the expected class (when one is given)
    // fails with wrongClass before any of its data is read.
    std::shared_ptr<CObject> ReadObject(const CSerialClass* expected = nullptr);
    // The next object as a T; out changes only when the read succeeds (a
    // null object is a success and gives null).
    template <class T>
    bool ReadObject(std::shared_ptr<T>& out, const CSerialClass* expected = nullptr)
    {
        std::shared_ptr<CObject> obj = ReadObject(expected);
        if (!Ok())
            return false;
        std::shared_ptr<T> typed = std::dynamic_pointer_cast<T>(obj);
        if (obj && !typed) {
            Fail(Status::wrongClass);
            return false;
        }
        out = std::move(typed);
        return true;
    }

private:
    bool CanWrite();
    bool Need(size_t size);
    void WriteIndexTag(DWORD index, bool isClass);

    struct LoadedEntry {
        const CSerialClass* cls;          // the class (for a class entry)
        std::shared_ptr<CObject> object;  // the object (for an object entry)
    };

    Mode m_mode;
    Status m_status = Status::ok;
    DWORD m_fileError = 0;
    std::vector<BYTE> m_data;
    size_t m_pos = 0;
    int m_depth = 0;
    DWORD m_nextIndex = 1;
    // Storing: indexes of the classes (by name) and objects written so far.
    std::map<std::string, DWORD> m_storedClasses;
    std::map<const CObject*, DWORD> m_storedObjects;
    // Loading: entry i for index i (entry 0 is the null object).
    std::vector<LoadedEntry> m_loaded;
};

}  // namespace fw
