// The watcher as the viewer sees it: (group, attribute, key) values of the
// watcher pseudo-component, mapped onto the same fields the WatchAcs members
// use. The table is in watcher_attributes.cpp and in README.md.
//
// Scalar groups are read with key 0. Group 2 is a table of the PC's fixed
// drives: key k (1..n) is the k-th drive of GetDrvList, in letter order.
#pragma once

#include "platform/tidemark/system_facts.h"
#include "platform/tidemark/watch_acs.h"

namespace tidemark {

// Results of the two entry points; 0 is success.
enum AttributeResult : unsigned long {
    kAttributeOk = 0,
    kAttributeUnknown = 1,          // no such (group, attribute)
    kAttributeNoRow = 2,            // the key names no row of the group
    kAttributeBufferTooSmall = 3,   // *length now holds the length needed
    kAttributeBadArgument = 4,      // a null pointer, a kind or length other than 1 and 4
    kAttributeReadOnly = 5,         // state written by the watcher, or a system figure
    kAttributeBadValue = 6,         // outside the condition's valid range
    kAttributeNotStored = 7,        // the registry refused the value
    kAttributeUnavailable = 8,      // the section cannot be used
};

// DMI data types reported in the type word of a read.
constexpr unsigned long kDmiInteger = 5;
constexpr unsigned long kDmiDisplayString = 8;
// The only kind of value that can be written: a 4-byte integer.
constexpr unsigned long kIntegerKind = 1;

// Reads a value into buffer: *length is its size on entry and the value's
// length on success (an integer is 4 bytes; a string has no terminator in
// its length, and gets one when the buffer has room). The DMI type goes to
// *type when type is not null. On failure buffer and *type are untouched,
// and *length too, except that a buffer too small gets the length needed.
unsigned long GetWatcherAttribute(WatchAcs& acs, const SystemFacts& facts, unsigned long group,
                                  unsigned long attribute, unsigned long key, void* buffer, unsigned long* length,
                                  unsigned long* type);

// Writes a condition: a 4-byte integer (kind 1, length 4), kept in the
// registry and put in the section.
unsigned long SetWatcherAttribute(WatchAcs& acs, const SystemFacts& facts, unsigned long group,
                                  unsigned long attribute, unsigned long key, const void* value,
                                  unsigned long length, unsigned long kind);

}  // namespace tidemark
