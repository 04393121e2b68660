// MIF texts the tests share.
#pragma once

#include <string>

// A small component with every construct: a language, a path, a named and an
// inline enumeration, a scalar group of every type, a template and its static
// table (attributes declared out of id order), Japanese texts whose second
// bytes are 0x5C, escapes, concatenated literals, comments.
extern const char kDemoMif[];

// The shape of the PC's own component: ComponentID and general information
// served through *"CORVANEDI", tables served by the instrumentation (id and
// key), health limits named by the generator, some of them unsupported.
extern const char kPcMif[];

// A component with one scalar group of class `classString`.
std::string OneGroupMif(const std::string& componentName, const std::string& classString);
