#include "platform/dmi/mif_parser.h"

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/dmi/mif_draft.h"
#include "platform/dmi/mif_syntax.h"

namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string NumberText(uint64_t magnitude, bool negative) {
    return (negative ? "-" : "") + std::to_string(magnitude);
}

bool IsStringType(dmi::DataType type) {
    return type == dmi::kOctetString || type == dmi::kDisplayString;
}

// The range a written number must lie in for `type`, as text for messages.
const char* RangeText(dmi::DataType type) {
    switch (type) {
        case dmi::kCounter:
        case dmi::kGauge: return "0 to 4294967295";
        case dmi::kCounter64: return "0 to 18446744073709551615";
        case dmi::kInteger64: return "-9223372036854775808 to 18446744073709551615";
        default: return "-2147483648 to 4294967295";
    }
}

// The bits of a written number as a value of the integer kind `type`; false
// when it lies outside RangeText(type).
bool FitNumber(uint64_t magnitude, bool negative, dmi::DataType type, uint64_t* bits) {
    switch (type) {
        case dmi::kCounter:
        case dmi::kGauge:
            if (negative || magnitude > UINT32_MAX) {
                return false;
            }
            *bits = magnitude;
            return true;
        case dmi::kInteger:
            if (negative ? magnitude > 0x80000000u : magnitude > UINT32_MAX) {
                return false;
            }
            *bits = (negative ? 0 - magnitude : magnitude) & 0xFFFFFFFFu;
            return true;
        case dmi::kCounter64:
            if (negative) {
                return false;
            }
            *bits = magnitude;
            return true;
        case dmi::kInteger64:
            if (negative && magnitude > (uint64_t{1} << 63)) {
                return false;
            }
            *bits = negative ? 0 - magnitude : magnitude;
            return true;
        default: return false;
    }
}

// A 1 MB file can ask for far more: a template's defaults are copied into
// every row of its tables, and a named enumeration into every attribute of its
// type. A component that would grow past this is refused.
constexpr size_t kMaxExpandedBytes = 32 * 1024 * 1024;
// What one value, entry or attribute costs besides its text.
constexpr size_t kItemCost = 48;

size_t CostOf(const MifValue& value) {
    return kItemCost + value.text.size();
}

size_t CostOf(const MifAttribute& attribute) {
    size_t cost = kItemCost + attribute.name.size() + attribute.description.size() +
                  attribute.pragma.size() + CostOf(attribute.value);
    for (const MifEnumEntry& entry : attribute.enumEntries) {
        cost += kItemCost + entry.text.size();
    }
    return cost;
}

// An enumeration indexed for the values of a table's rows.
struct EnumIndex {
    std::map<std::string, int32_t> valueOfText;  // the first entry with the text
    std::set<uint32_t> values;                   // as 32-bit patterns
};

EnumIndex IndexOf(const std::vector<MifEnumEntry>& entries) {
    EnumIndex index;
    for (const MifEnumEntry& entry : entries) {
        index.valueOfText.emplace(entry.text, entry.value);
        index.values.insert(static_cast<uint32_t>(entry.value));
    }
    return index;
}

std::string AttributeText(const MifAttribute& attribute) {
    return "attribute " + Quoted(attribute.name) + " (ID " + std::to_string(attribute.id) + ")";
}

class ComponentChecker {
public:
    ComponentChecker(const MifDraftComponent& draft, MifParseError* error)
        : draft_(draft), error_(error) {}

    bool Check(MifComponent* out);

private:
    struct CheckedGroup {
        bool isTemplate = false;
        MifGroup group;
    };

    bool Fail(int line, const std::string& message);
    bool Charge(size_t cost, int line);
    bool CheckPaths();
    bool CheckEnumEntries(const MifDraftEnum& draft, std::vector<MifEnumEntry>* out);
    bool CheckEnums();
    bool CheckGroup(const MifDraftGroup& draft, CheckedGroup* out);
    bool CheckAttribute(const MifDraftAttribute& draft, const MifDraftGroup& group, bool isTemplate,
                        MifAttribute* out);
    bool ConvertValue(const MifDraftValue& draft, const MifAttribute& attribute,
                      const EnumIndex* index, const std::string& where, MifValue* out);
    bool ConvertEnumValue(const MifDraftValue& draft, const MifAttribute& attribute,
                          const EnumIndex* index, const std::string& subject, MifValue* out);
    bool CheckTable(const MifDraftTable& draft, MifGroup* out);
    bool CheckRow(const MifDraftRow& draft, const MifGroup& table,
                  const std::vector<size_t>& positions, const std::vector<size_t>& keyPositions,
                  const std::vector<EnumIndex>& enums, std::vector<MifValue>* out);

    const MifDraftComponent& draft_;
    MifParseError* error_;
    MifComponent component_;
    size_t expandedBytes_ = 0;
    std::set<std::string> pathNames_;
    std::map<std::string, size_t> enumOfName_;       // index in component_.enums
    std::vector<CheckedGroup> checkedGroups_;        // one per draft group
    std::map<std::string, size_t> templateOfClass_;  // index in checkedGroups_
};

bool ComponentChecker::Fail(int line, const std::string& message) {
    if (error_ != nullptr) {
        error_->line = line;
        error_->message = message;
    }
    return false;
}

bool ComponentChecker::Charge(size_t cost, int line) {
    expandedBytes_ += cost;
    if (expandedBytes_ > kMaxExpandedBytes) {
        return Fail(line,
                    "the component grows too large (over " + std::to_string(kMaxExpandedBytes) +
                        " bytes) once defaults and enumerations are copied where they are used");
    }
    return true;
}

bool ComponentChecker::CheckPaths() {
    std::map<std::string, int> lineOfName;
    for (const MifDraftPath& path : draft_.paths) {
        if (!path.hasName) {
            return Fail(path.line, "Path has no Name");
        }
        if (lineOfName.count(path.name) != 0) {
            return Fail(path.line, "path " + Quoted(path.name) +
                                       " is defined twice (also on line " +
                                       std::to_string(lineOfName[path.name]) + ")");
        }
        lineOfName[path.name] = path.line;
        pathNames_.insert(path.name);
        component_.paths.push_back({path.name, path.entries});
    }
    return true;
}

bool ComponentChecker::CheckEnumEntries(const MifDraftEnum& draft, std::vector<MifEnumEntry>* out) {
    if (draft.entries.empty()) {
        return Fail(draft.line, "the enumeration has no entries");
    }
    out->clear();
    std::set<int32_t> values;
    for (const MifDraftEnumEntry& entry : draft.entries) {
        uint64_t bits = 0;
        if (!FitNumber(entry.magnitude, entry.negative, draft.type, &bits)) {
            return Fail(entry.line, "enumeration value " +
                                        NumberText(entry.magnitude, entry.negative) +
                                        " is outside " + RangeText(draft.type));
        }
        const int32_t value = static_cast<int32_t>(static_cast<uint32_t>(bits));
        if (!values.insert(value).second) {
            return Fail(entry.line,
                        "enumeration value " + std::to_string(value) + " is given twice");
        }
        out->push_back({value, entry.text});
    }
    return true;
}

bool ComponentChecker::CheckEnums() {
    for (const MifDraftEnum& draft : draft_.enums) {
        if (!draft.hasName) {
            return Fail(draft.line, "an Enum outside an attribute needs a Name");
        }
        if (enumOfName_.count(draft.name) != 0) {
            return Fail(draft.line, "enumeration " + Quoted(draft.name) + " is defined twice");
        }
        MifEnum checked;
        checked.name = draft.name;
        checked.type = draft.type;
        if (!CheckEnumEntries(draft, &checked.entries)) {
            return false;
        }
        enumOfName_[draft.name] = component_.enums.size();
        component_.enums.push_back(checked);
    }
    return true;
}

bool ComponentChecker::ConvertEnumValue(const MifDraftValue& draft, const MifAttribute& attribute,
                                        const EnumIndex* index, const std::string& subject,
                                        MifValue* out) {
    if (draft.kind == MifDraftValue::kString) {
        bool found = false;
        int32_t value = 0;
        if (index != nullptr) {
            auto it = index->valueOfText.find(draft.text);
            found = it != index->valueOfText.end();
            value = found ? it->second : 0;
        } else {
            for (const MifEnumEntry& entry : attribute.enumEntries) {
                if (!found && entry.text == draft.text) {
                    found = true;
                    value = entry.value;
                }
            }
        }
        if (!found) {
            return Fail(draft.line,
                        subject + ": " + Quoted(draft.text) + " is not in its enumeration");
        }
        out->kind = MifValueKind::kNumber;
        out->number = static_cast<uint32_t>(value);
        return true;
    }
    uint64_t bits = 0;
    bool found = false;
    if (FitNumber(draft.magnitude, draft.negative, attribute.type, &bits)) {
        if (index != nullptr) {
            found = index->values.count(static_cast<uint32_t>(bits)) != 0;
        } else {
            for (const MifEnumEntry& entry : attribute.enumEntries) {
                found = found || static_cast<uint32_t>(entry.value) == bits;
            }
        }
    }
    if (!found) {
        return Fail(draft.line, subject + ": " + NumberText(draft.magnitude, draft.negative) +
                                    " is not in its enumeration");
    }
    out->kind = MifValueKind::kNumber;
    out->number = bits;
    return true;
}

bool ComponentChecker::ConvertValue(const MifDraftValue& draft, const MifAttribute& attribute,
                                    const EnumIndex* index, const std::string& where,
                                    MifValue* out) {
    *out = MifValue();
    const std::string subject = where + " of " + AttributeText(attribute);
    const bool literal =
        draft.kind == MifDraftValue::kNumber || draft.kind == MifDraftValue::kString;
    if (literal && attribute.access == MifAccess::kWriteOnly) {
        return Fail(draft.line, subject + ": a write-only attribute takes no value of its own");
    }
    switch (draft.kind) {
        case MifDraftValue::kNone: return true;
        case MifDraftValue::kUnsupported: out->kind = MifValueKind::kUnsupported; return true;
        case MifDraftValue::kUnknown: out->kind = MifValueKind::kUnknown; return true;
        case MifDraftValue::kReference:
            if (pathNames_.count(draft.text) == 0) {
                return Fail(draft.line, subject + " refers to path " + Quoted(draft.text) +
                                            ", which the component does not define");
            }
            out->kind = MifValueKind::kInstrumented;
            out->text = draft.text;
            return true;
        case MifDraftValue::kNumber:
        case MifDraftValue::kString: break;
    }
    if (!attribute.enumEntries.empty()) {
        return ConvertEnumValue(draft, attribute, index, subject, out);
    }
    if (IsStringType(attribute.type) || attribute.type == dmi::kDate) {
        if (draft.kind != MifDraftValue::kString) {
            return Fail(draft.line, subject + " must be a string");
        }
        if (attribute.type == dmi::kDate) {
            if (draft.text.size() > dmi::kDateTextLength) {
                return Fail(draft.line, subject + ": a date has at most 25 characters, " +
                                            Quoted(draft.text) + " has " +
                                            std::to_string(draft.text.size()));
            }
            out->kind = MifValueKind::kText;
            out->text = draft.text;
            out->text.resize(dmi::kDateFieldSize, '\0');
            return true;
        }
        if (draft.text.size() > attribute.maxLength) {
            return Fail(draft.line, subject + " is " + std::to_string(draft.text.size()) +
                                        " bytes long; its type allows " +
                                        std::to_string(attribute.maxLength));
        }
        out->kind = MifValueKind::kText;
        out->text = draft.text;
        return true;
    }
    if (draft.kind != MifDraftValue::kNumber) {
        return Fail(draft.line, subject + " must be a number");
    }
    uint64_t bits = 0;
    if (!FitNumber(draft.magnitude, draft.negative, attribute.type, &bits)) {
        return Fail(draft.line, subject + ": " + NumberText(draft.magnitude, draft.negative) +
                                    " is outside " + RangeText(attribute.type));
    }
    out->kind = MifValueKind::kNumber;
    out->number = bits;
    return true;
}

bool ComponentChecker::CheckAttribute(const MifDraftAttribute& draft, const MifDraftGroup& group,
                                      bool isTemplate, MifAttribute* out) {
    const std::string owner = " in group " + Quoted(group.name);
    if (!draft.hasName) {
        return Fail(draft.line, "an attribute" + owner + " has no Name");
    }
    if (!draft.hasId) {
        return Fail(draft.line, "attribute " + Quoted(draft.name) + owner + " has no ID");
    }
    out->id = draft.id;
    out->name = draft.name;
    out->description = draft.description;
    out->pragma = draft.pragma;
    out->access = draft.access;
    out->storage = draft.storage;
    switch (draft.typeKind) {
        case MifDraftAttribute::kNoType:
            return Fail(draft.line, AttributeText(*out) + owner + " has no Type");
        case MifDraftAttribute::kBuiltin:
            out->type = draft.builtinType;
            out->maxLength = draft.maxLength;
            break;
        case MifDraftAttribute::kInlineEnum:
            out->type = draft.inlineEnum.type;
            if (!CheckEnumEntries(draft.inlineEnum, &out->enumEntries)) {
                return false;
            }
            break;
        case MifDraftAttribute::kNamedEnum: {
            auto found = enumOfName_.find(draft.enumName);
            if (found == enumOfName_.end()) {
                return Fail(draft.line, AttributeText(*out) + owner + " has the type " +
                                            Quoted(draft.enumName) +
                                            ", which is no enumeration of the component");
            }
            const MifEnum& enumeration = component_.enums[found->second];
            out->type = enumeration.type;
            out->enumEntries = enumeration.entries;
            break;
        }
    }
    if (!isTemplate && draft.value.kind == MifDraftValue::kNone) {
        return Fail(draft.line, AttributeText(*out) + owner + " has no Value");
    }
    return ConvertValue(draft.value, *out, nullptr, "the value", &out->value) &&
           Charge(CostOf(*out), draft.line);
}

bool ComponentChecker::CheckGroup(const MifDraftGroup& draft, CheckedGroup* out) {
    if (!draft.hasName) {
        return Fail(draft.line, "Group has no Name");
    }
    const std::string self = "group " + Quoted(draft.name);
    if (!draft.hasClass) {
        return Fail(draft.line, self + " has no Class");
    }
    if (!draft.hasId && draft.keys.empty()) {
        return Fail(draft.line, self + " has neither an ID nor a Key");
    }
    if (draft.attributes.empty()) {
        return Fail(draft.line, self + " has no attributes");
    }
    out->isTemplate = !draft.hasId;
    MifGroup& group = out->group;
    group.kind = draft.keys.empty() ? MifGroupKind::kScalar : MifGroupKind::kInstrumentedTable;
    group.id = draft.id;
    group.name = draft.name;
    group.classString = draft.classString;
    group.description = draft.description;
    group.pragma = draft.pragma;
    group.keys = draft.keys;
    std::map<uint32_t, int> lineOfId;
    for (const MifDraftAttribute& attributeDraft : draft.attributes) {
        if (attributeDraft.hasId && lineOfId.count(attributeDraft.id) != 0) {
            return Fail(attributeDraft.line, "attribute ID " + std::to_string(attributeDraft.id) +
                                                 " is used twice in " + self + " (also on line " +
                                                 std::to_string(lineOfId[attributeDraft.id]) + ")");
        }
        MifAttribute attribute;
        if (!CheckAttribute(attributeDraft, draft, out->isTemplate, &attribute)) {
            return false;
        }
        lineOfId[attribute.id] = attributeDraft.line;
        group.attributes.push_back(attribute);
    }
    std::map<uint32_t, const MifAttribute*> attributeOfId;
    for (const MifAttribute& attribute : group.attributes) {
        attributeOfId[attribute.id] = &attribute;
    }
    for (uint32_t key : group.keys) {
        auto found = attributeOfId.find(key);
        if (found == attributeOfId.end()) {
            return Fail(draft.keyLine, "the Key of " + self + " names attribute " +
                                           std::to_string(key) + ", which the group does not have");
        }
        if (found->second->access == MifAccess::kWriteOnly) {
            return Fail(draft.keyLine,
                        "key " + AttributeText(*found->second) + " of " + self + " is write-only");
        }
    }
    return true;
}

bool ComponentChecker::CheckRow(const MifDraftRow& draft, const MifGroup& table,
                                const std::vector<size_t>& positions,
                                const std::vector<size_t>& keyPositions,
                                const std::vector<EnumIndex>& enums, std::vector<MifValue>* out) {
    if (draft.cells.size() > positions.size()) {
        return Fail(draft.line, "the row has " + std::to_string(draft.cells.size()) +
                                    " values, but the template of table " + Quoted(table.name) +
                                    " has only " + std::to_string(positions.size()) +
                                    " attributes");
    }
    out->assign(table.attributes.size(), MifValue());
    for (size_t p = 0; p < positions.size(); ++p) {
        const size_t i = positions[p];
        const MifAttribute& attribute = table.attributes[i];
        MifValue& value = (*out)[i];
        if (p < draft.cells.size() && draft.cells[p].kind != MifDraftValue::kNone) {
            if (!ConvertValue(draft.cells[p], attribute, &enums[i], "the row's value", &value)) {
                return false;
            }
        } else if (attribute.value.kind == MifValueKind::kNone) {
            return Fail(draft.line, "the row gives no value for " + AttributeText(attribute) +
                                        " and its template has no default");
        } else {
            value = attribute.value;
        }
        if (!Charge(CostOf(value), draft.line)) {
            return false;
        }
    }
    for (size_t i : keyPositions) {
        const MifValueKind kind = (*out)[i].kind;
        if (kind != MifValueKind::kNumber && kind != MifValueKind::kText) {
            return Fail(draft.line, "the row's key " + AttributeText(table.attributes[i]) +
                                        " needs a number or a string");
        }
    }
    return true;
}

// The bytes that tell one row's key from another's.
std::string KeyOfRow(const std::vector<size_t>& keyPositions, const std::vector<MifValue>& row) {
    std::string key;
    for (size_t i : keyPositions) {
        key += std::to_string(row[i].number) + ":" + std::to_string(row[i].text.size()) + ":" +
               row[i].text;
    }
    return key;
}

bool ComponentChecker::CheckTable(const MifDraftTable& draft, MifGroup* out) {
    if (!draft.hasName) {
        return Fail(draft.line, "Table has no Name");
    }
    const std::string self = "table " + Quoted(draft.name);
    if (!draft.hasId) {
        return Fail(draft.line, self + " has no ID");
    }
    if (!draft.hasClass) {
        return Fail(draft.line, self + " has no Class");
    }
    auto found = templateOfClass_.find(draft.classString);
    if (found == templateOfClass_.end()) {
        return Fail(draft.line, self + " has the class " + Quoted(draft.classString) +
                                    ", but no template group (Key and no ID) has that class");
    }
    *out = checkedGroups_[found->second].group;
    out->kind = MifGroupKind::kStaticTable;
    out->id = draft.id;
    out->name = draft.name;
    out->classString = draft.classString;
    std::vector<EnumIndex> enums;
    for (const MifAttribute& attribute : out->attributes) {
        if (!Charge(CostOf(attribute), draft.line)) {
            return false;
        }
        enums.push_back(IndexOf(attribute.enumEntries));
    }
    // Row values come in ascending attribute id.
    std::map<uint32_t, size_t> indexOfId;
    for (size_t i = 0; i < out->attributes.size(); ++i) {
        indexOfId[out->attributes[i].id] = i;
    }
    std::vector<size_t> positions;
    for (const auto& idAndIndex : indexOfId) {
        positions.push_back(idAndIndex.second);
    }
    std::vector<size_t> keyPositions;
    for (uint32_t key : out->keys) {
        keyPositions.push_back(indexOfId[key]);  // the template's check found every key
    }
    std::map<std::string, int> lineOfKey;
    for (const MifDraftRow& rowDraft : draft.rows) {
        std::vector<MifValue> row;
        if (!CheckRow(rowDraft, *out, positions, keyPositions, enums, &row)) {
            return false;
        }
        const std::string key = KeyOfRow(keyPositions, row);
        if (lineOfKey.count(key) != 0) {
            return Fail(rowDraft.line, "the row has the same key as the row on line " +
                                           std::to_string(lineOfKey[key]));
        }
        lineOfKey[key] = rowDraft.line;
        out->rows.push_back(std::move(row));
    }
    return true;
}

bool ComponentChecker::Check(MifComponent* out) {
    if (!draft_.hasName) {
        return Fail(draft_.line, "Component has no Name");
    }
    component_.language = draft_.language;
    component_.name = draft_.name;
    component_.description = draft_.description;
    component_.pragma = draft_.pragma;
    if (!CheckPaths() || !CheckEnums()) {
        return false;
    }
    checkedGroups_.resize(draft_.groups.size());
    for (size_t i = 0; i < draft_.groups.size(); ++i) {
        if (!CheckGroup(draft_.groups[i], &checkedGroups_[i])) {
            return false;
        }
        if (checkedGroups_[i].isTemplate) {
            const std::string& classString = checkedGroups_[i].group.classString;
            auto earlier = templateOfClass_.find(classString);
            if (earlier != templateOfClass_.end()) {
                return Fail(draft_.groups[i].line,
                            "two template groups have the class " + Quoted(classString) +
                                " (the other on line " +
                                std::to_string(draft_.groups[earlier->second].line) + ")");
            }
            templateOfClass_[classString] = i;
            component_.templates.push_back(checkedGroups_[i].group);
        }
    }
    std::map<uint32_t, int> lineOfId;
    for (const MifDraftComponent::Place& place : draft_.order) {
        MifGroup group;
        int line = 0;
        if (place.isTable) {
            line = draft_.tables[place.index].line;
            if (!CheckTable(draft_.tables[place.index], &group)) {
                return false;
            }
        } else if (checkedGroups_[place.index].isTemplate) {
            continue;
        } else {
            line = draft_.groups[place.index].line;
            group = checkedGroups_[place.index].group;
        }
        if (lineOfId.count(group.id) != 0) {
            return Fail(line, "group ID " + std::to_string(group.id) +
                                  " is used twice (also on line " +
                                  std::to_string(lineOfId[group.id]) + ")");
        }
        lineOfId[group.id] = line;
        component_.groups.push_back(std::move(group));
    }
    if (component_.groups.empty()) {
        return Fail(draft_.line, "the component has no group with an ID and no table");
    }
    *out = std::move(component_);
    return true;
}

}  // namespace

bool ParseMif(const char* text, size_t length, MifComponent* out, MifParseError* error) {
    *out = MifComponent();
    MifDraftComponent draft;
    if (!ReadMifSyntax(text, length, &draft, error)) {
        return false;
    }
    ComponentChecker checker(draft, error);
    return checker.Check(out);
}
