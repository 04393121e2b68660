// The installed components of the DMI service layer, read from their MIF
// files, and the answers the service layer gives from them: components by
// class, attribute descriptions and attribute values.
//
// Component ids: each component is known by its file's name (ASCII case
// aside) and its component name. The first time such a pair is loaded it gets
// the next id (1, 2, ...); a later load that finds the pair again gives it the
// same id, and an id once given is never given to another pair, also after its
// component has gone. So a reload after a file was added, changed or removed
// keeps the ids the caller already holds.
//
// Not thread-safe: the caller serialises loads and look-ups. Pointers and
// references it hands out stay valid until the next load.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/dmi/mif_answer.h"
#include "platform/dmi/mif_folder.h"
#include "platform/dmi/mif_model.h"

// One MIF text to load, with the name of the file it came from.
struct MifSource {
    std::string fileName;
    std::string text;
};

// A file that was left out of a load, and why, for the log.
struct MifLoadError {
    std::string fileName;  // the folder itself when it could not be listed
    int line = 0;          // 0 when the error is not about a line
    std::string message;
};

// "pcmif.mif(12): message", or "pcmif.mif: message" without a line.
std::string FormatMifLoadError(const MifLoadError& error);

// A key value that selects a table row: the value of key attribute
// `attributeId`, a number (kNumber, compared in the attribute's width) or
// bytes (kText; a date as its text, 25 to 28 bytes).
struct MifKey {
    uint32_t attributeId = 0;
    MifValue value;

    static MifKey Number(uint32_t attributeId, uint64_t number);
    static MifKey Text(uint32_t attributeId, const std::string& text);
};

class MifDatabase {
public:
    // Replaces the loaded components with those of sources. A source that does
    // not parse is left out and its error kept (LoadErrors); the others load.
    // Returns the number of components loaded.
    size_t Load(const std::vector<MifSource>& sources);

    // Loads every "*.mif" file of folder in place of the loaded components, as
    // Load does, and remembers the folder's signature. A file that cannot be
    // read or is larger than kMaxMifFileSize is left out with an error. False
    // when the folder cannot be listed; the database is then empty.
    bool LoadFolder(const std::string& folder);

    // Whether the folder of the last LoadFolder now holds other MIF files,
    // sizes or write times than it did then, so a reload is due. False before
    // any LoadFolder.
    bool FolderChanged() const;

    // Why files were left out of the last load, in the order they were met.
    const std::vector<MifLoadError>& LoadErrors() const { return errors_; }

    size_t ComponentCount() const { return components_.size(); }

    // The ids, in ascending order, of at most maxCount components with an id
    // above afterId (0: from the first) that have a group or table whose class
    // matches classFilter (mif_class_match.h; nullptr: every component).
    // *more tells whether further matching components follow the last one
    // given; the caller continues with afterId = that last id.
    void ListComponents(const std::string* classFilter, uint32_t afterId, size_t maxCount,
                        std::vector<uint32_t>* ids, bool* more) const;

    // The component with the id, or nullptr.
    const MifComponent* FindComponent(uint32_t componentId) const;

    // The component's name (kOk), or kNoComponent.
    MifStatus ComponentName(uint32_t componentId, std::string* name) const;

    // A copy of the attribute as the MIF describes it: name, type, access,
    // storage, string length, enumeration entries in declaration order.
    // kOk, or kNoComponent, kNoGroup, kNoAttribute.
    MifStatus DescribeAttribute(uint32_t componentId, uint32_t groupId, uint32_t attributeId,
                                MifAttribute* out) const;

    // The attribute's value. Keys (keyCount of them; none: keys may be
    // nullptr) select a row of a table: each names one of the group's key
    // attributes. A static table answers from its first row whose key values
    // equal all the keys given (the first row when no key is given); a table
    // served by instrumentation answers for every row with what the MIF writes,
    // and a value written *"NAME" gives kInstrumented with answer->instrumentation
    // set, for the caller to forward together with the keys. answer->type is
    // set whenever the attribute exists.
    // Errors: kNoComponent, kNoGroup, kNoAttribute; kNotReadable for a
    // write-only attribute; kBadKeys for keys on a group without a key, a key
    // on an attribute outside the key, or a key of the wrong kind (a number for
    // a string); kNoRow when no row matches; kUnsupported and kValueUnknown for
    // values written Unsupported and Unknown.
    MifStatus GetValue(uint32_t componentId, uint32_t groupId, uint32_t attributeId,
                       const MifKey* keys, size_t keyCount, MifAnswer* answer) const;

private:
    struct Loaded {
        uint32_t id = 0;
        std::string fileName;
        MifComponent component;
    };

    void StartLoading();
    void LoadOne(const std::string& fileName, const std::string& text);
    void FinishLoading();
    const MifGroup* FindGroup(uint32_t componentId, uint32_t groupId, MifStatus* status) const;

    std::vector<Loaded> components_;  // ascending ids
    std::vector<Loaded> loading_;     // the load in progress
    std::vector<MifLoadError> errors_;
    std::map<std::string, uint32_t> idOfKey_;  // ever loaded: file and component name -> id
    uint32_t nextId_ = 1;
    bool haveFolder_ = false;
    std::string folder_;
    MifFolderSignature signature_;
};
