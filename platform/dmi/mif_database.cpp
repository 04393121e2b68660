#include "platform/dmi/mif_database.h"

#include <algorithm>

#include "common/cp932.h"
#include "platform/dmi/mif_class_match.h"
#include "platform/dmi/mif_parser.h"

namespace {

// File names compare without regard to ASCII case, as Windows does.
std::string ComponentKey(const std::string& fileName, const std::string& componentName) {
    std::string key = fileName;
    for (size_t i = 0; i < key.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(key[i]);
        if (cp932::IsLeadByte(c)) {
            ++i;
        } else if (c >= 'a' && c <= 'z') {
            key[i] = static_cast<char>(c - 'a' + 'A');
        }
    }
    // A file name holds no NUL, so the first one ends it.
    key.push_back('\0');
    return key + componentName;
}

bool Is64Bit(dmi::DataType type) {
    return type == dmi::kCounter64 || type == dmi::kInteger64;
}

bool TakesText(dmi::DataType type) {
    return type == dmi::kOctetString || type == dmi::kDisplayString || type == dmi::kDate;
}

// A date key may come as its 25-character text or its whole 28-byte field.
std::string DateField(const std::string& text) {
    std::string field = text;
    if (field.size() < dmi::kDateFieldSize) {
        field.resize(dmi::kDateFieldSize, '\0');
    }
    return field;
}

bool KeyFits(const MifKey& key, const MifAttribute& attribute) {
    if (TakesText(attribute.type)) {
        return key.value.kind == MifValueKind::kText &&
               (attribute.type != dmi::kDate || key.value.text.size() <= dmi::kDateFieldSize);
    }
    return key.value.kind == MifValueKind::kNumber;
}

bool KeyEquals(const MifKey& key, const MifAttribute& attribute, const MifValue& cell) {
    if (attribute.type == dmi::kDate) {
        return cell.kind == MifValueKind::kText && cell.text == DateField(key.value.text);
    }
    if (TakesText(attribute.type)) {
        return cell.kind == MifValueKind::kText && cell.text == key.value.text;
    }
    const uint64_t mask = Is64Bit(attribute.type) ? UINT64_MAX : 0xFFFFFFFFu;
    return cell.kind == MifValueKind::kNumber && (key.value.number & mask) == cell.number;
}

// The index of the attribute with the id in group, or -1.
int AttributeIndex(const MifGroup& group, uint32_t attributeId) {
    for (size_t i = 0; i < group.attributes.size(); ++i) {
        if (group.attributes[i].id == attributeId) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool IsKeyOf(const MifGroup& group, uint32_t attributeId) {
    return std::find(group.keys.begin(), group.keys.end(), attributeId) != group.keys.end();
}

MifStatus Answer(const MifAttribute& attribute, const MifValue& value, MifAnswer* answer) {
    switch (value.kind) {
        case MifValueKind::kInstrumented:
            answer->instrumentation = value.text;
            return MifStatus::kInstrumented;
        case MifValueKind::kUnsupported: return MifStatus::kUnsupported;
        case MifValueKind::kNone:
        case MifValueKind::kUnknown: return MifStatus::kValueUnknown;
        case MifValueKind::kText: answer->bytes = value.text; return MifStatus::kOk;
        case MifValueKind::kNumber:
            if (Is64Bit(attribute.type)) {
                answer->value64 = value.number;
            } else {
                answer->value32 = static_cast<uint32_t>(value.number);
            }
            return MifStatus::kOk;
    }
    return MifStatus::kValueUnknown;
}

}  // namespace

std::string FormatMifLoadError(const MifLoadError& error) {
    std::string text = error.fileName;
    if (error.line > 0) {
        text += "(" + std::to_string(error.line) + ")";
    }
    return text + ": " + error.message;
}

MifKey MifKey::Number(uint32_t attributeId, uint64_t number) {
    MifKey key;
    key.attributeId = attributeId;
    key.value.kind = MifValueKind::kNumber;
    key.value.number = number;
    return key;
}

MifKey MifKey::Text(uint32_t attributeId, const std::string& text) {
    MifKey key;
    key.attributeId = attributeId;
    key.value.kind = MifValueKind::kText;
    key.value.text = text;
    return key;
}

void MifDatabase::StartLoading() {
    loading_.clear();
    errors_.clear();
}

void MifDatabase::LoadOne(const std::string& fileName, const std::string& text) {
    Loaded loaded;
    MifParseError parseError;
    if (!ParseMif(text.data(), text.size(), &loaded.component, &parseError)) {
        errors_.push_back({fileName, parseError.line, parseError.message});
        return;
    }
    const std::string key = ComponentKey(fileName, loaded.component.name);
    auto known = idOfKey_.find(key);
    if (known == idOfKey_.end()) {
        if (nextId_ == UINT32_MAX) {
            errors_.push_back({fileName, 0, "no component ids are left"});
            return;
        }
        known = idOfKey_.emplace(key, nextId_++).first;
    }
    for (const Loaded& other : loading_) {
        if (other.id == known->second) {
            errors_.push_back(
                {fileName, 0,
                 "component " + loaded.component.name + " of this file is loaded already"});
            return;
        }
    }
    loaded.id = known->second;
    loaded.fileName = fileName;
    loading_.push_back(std::move(loaded));
}

void MifDatabase::FinishLoading() {
    std::sort(loading_.begin(), loading_.end(),
              [](const Loaded& a, const Loaded& b) { return a.id < b.id; });
    components_.swap(loading_);
    loading_.clear();
}

size_t MifDatabase::Load(const std::vector<MifSource>& sources) {
    StartLoading();
    for (const MifSource& source : sources) {
        LoadOne(source.fileName, source.text);
    }
    FinishLoading();
    return components_.size();
}

bool MifDatabase::LoadFolder(const std::string& folder) {
    StartLoading();
    haveFolder_ = true;
    folder_ = folder;
    std::string error;
    const bool listed = ListMifFolder(folder, &signature_, &error);
    if (!error.empty()) {
        errors_.push_back({folder, 0, error});
    }
    if (listed) {
        for (const MifFileStamp& file : signature_.files) {
            std::string text;
            if (ReadMifFile(folder, file.name, &text, &error)) {
                LoadOne(file.name, text);
            } else {
                errors_.push_back({file.name, 0, error});
            }
        }
    }
    FinishLoading();
    return listed;
}

bool MifDatabase::FolderChanged() const {
    if (!haveFolder_) {
        return false;
    }
    MifFolderSignature now;
    std::string error;
    ListMifFolder(folder_, &now, &error);
    return now != signature_;
}

void MifDatabase::ListComponents(const std::string* classFilter, uint32_t afterId, size_t maxCount,
                                 std::vector<uint32_t>* ids, bool* more) const {
    ids->clear();
    *more = false;
    for (const Loaded& loaded : components_) {
        if (loaded.id <= afterId) {
            continue;
        }
        bool matches = classFilter == nullptr;
        for (const MifGroup& group : loaded.component.groups) {
            matches = matches || MifClassMatches(*classFilter, group.classString);
        }
        if (!matches) {
            continue;
        }
        if (ids->size() == maxCount) {
            *more = true;
            return;
        }
        ids->push_back(loaded.id);
    }
}

const MifComponent* MifDatabase::FindComponent(uint32_t componentId) const {
    auto found = std::lower_bound(components_.begin(), components_.end(), componentId,
                                  [](const Loaded& loaded, uint32_t id) { return loaded.id < id; });
    if (found == components_.end() || found->id != componentId) {
        return nullptr;
    }
    return &found->component;
}

MifStatus MifDatabase::ComponentName(uint32_t componentId, std::string* name) const {
    const MifComponent* component = FindComponent(componentId);
    if (component == nullptr) {
        return MifStatus::kNoComponent;
    }
    *name = component->name;
    return MifStatus::kOk;
}

const MifGroup* MifDatabase::FindGroup(uint32_t componentId, uint32_t groupId,
                                       MifStatus* status) const {
    const MifComponent* component = FindComponent(componentId);
    if (component == nullptr) {
        *status = MifStatus::kNoComponent;
        return nullptr;
    }
    for (const MifGroup& group : component->groups) {
        if (group.id == groupId) {
            *status = MifStatus::kOk;
            return &group;
        }
    }
    *status = MifStatus::kNoGroup;
    return nullptr;
}

MifStatus MifDatabase::DescribeAttribute(uint32_t componentId, uint32_t groupId,
                                         uint32_t attributeId, MifAttribute* out) const {
    MifStatus status;
    const MifGroup* group = FindGroup(componentId, groupId, &status);
    if (group == nullptr) {
        return status;
    }
    const int index = AttributeIndex(*group, attributeId);
    if (index < 0) {
        return MifStatus::kNoAttribute;
    }
    *out = group->attributes[index];
    return MifStatus::kOk;
}

MifStatus MifDatabase::GetValue(uint32_t componentId, uint32_t groupId, uint32_t attributeId,
                                const MifKey* keys, size_t keyCount, MifAnswer* answer) const {
    *answer = MifAnswer();
    MifStatus status;
    const MifGroup* group = FindGroup(componentId, groupId, &status);
    if (group == nullptr) {
        return status;
    }
    const int index = AttributeIndex(*group, attributeId);
    if (index < 0) {
        return MifStatus::kNoAttribute;
    }
    const MifAttribute& attribute = group->attributes[index];
    answer->type = attribute.type;
    if (attribute.access == MifAccess::kWriteOnly) {
        return MifStatus::kNotReadable;
    }
    if (keyCount > 0 && (keys == nullptr || group->keys.empty())) {
        return MifStatus::kBadKeys;
    }
    for (size_t k = 0; k < keyCount; ++k) {
        const int keyIndex = AttributeIndex(*group, keys[k].attributeId);
        if (keyIndex < 0 || !IsKeyOf(*group, keys[k].attributeId) ||
            !KeyFits(keys[k], group->attributes[keyIndex])) {
            return MifStatus::kBadKeys;
        }
    }
    if (group->kind != MifGroupKind::kStaticTable) {
        return Answer(attribute, attribute.value, answer);
    }
    for (const std::vector<MifValue>& row : group->rows) {
        bool matches = true;
        for (size_t k = 0; k < keyCount && matches; ++k) {
            const int keyIndex = AttributeIndex(*group, keys[k].attributeId);
            matches = KeyEquals(keys[k], group->attributes[keyIndex], row[keyIndex]);
        }
        if (matches) {
            return Answer(attribute, row[index], answer);
        }
    }
    return MifStatus::kNoRow;
}
