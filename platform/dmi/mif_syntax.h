// Reading the blocks and statements of a MIF text into a draft component.
//
// This is the grammar only: which statements each block takes, Start/End
// pairs, statement forms and keywords (in any letter case). Statements may come
// in any order inside their block, but each at most once. Whether names,
// values, ids and keys agree with each other is checked afterwards
// (mif_parser.h). The first error ends the reading.
#pragma once

#include <cstddef>

#include "platform/dmi/mif_draft.h"
#include "platform/dmi/mif_lexer.h"

// Reads text (length bytes) into *out. False, with *error set, when the text
// does not follow the grammar.
bool ReadMifSyntax(const char* text, size_t length, MifDraftComponent* out, MifParseError* error);
