// Parsing a MIF file (the DMTF Management Information Format) into a checked
// component.
//
// The grammar is read by mif_syntax; this adds the checks that tie the parts
// together, so that a component that parses can be answered from without
// further checks:
// - the component has a name and at least one group with an id, or a table;
// - paths have unique names; a value *"NAME" names one of them (in any place
//   of the file; names compare byte for byte);
// - component-level enumerations have a unique name; values within an
//   enumeration are unique; an attribute's type names an existing one;
// - a group has a name and a class, and an id, a key or both (a key without an
//   id makes a template for a table); group and table ids are unique in the
//   component; attribute ids are unique in their group; the key names
//   attributes of the group that are not write-only;
// - every attribute has a type and, outside templates, a value; a value fits
//   the type: a counter or gauge 0 to 4294967295, an integer -2147483648 to
//   4294967295 (above 2147483647 taken as the bit pattern), the 64-bit kinds
//   likewise in 64 bits; strings no longer than the type allows; a date a
//   string of at most 25 characters (not checked further: some files write
//   short or partly unknown dates); an enumeration's value one of its entries
//   (by number or by text; the first entry with the text wins); a write-only
//   attribute takes no literal value;
// - a table names a template by its class and has an id and a name; a row
//   holds at most one value per attribute, in ascending attribute id; a value
//   left out takes the template's default, which must exist; each row has a
//   key (a number or a string in every key attribute), different from the
//   other rows' keys;
// - copying template defaults into rows and named enumerations into
//   attributes does not grow the component past 32 MB (a small file could
//   otherwise ask for gigabytes).
#pragma once

#include <cstddef>

#include "platform/dmi/mif_lexer.h"
#include "platform/dmi/mif_model.h"

// Parses text (length bytes, code page 932). On success fills *out and
// returns true; otherwise returns false with the first error in *error (the
// line it was found on and a message) and *out empty.
bool ParseMif(const char* text, size_t length, MifComponent* out, MifParseError* error);
