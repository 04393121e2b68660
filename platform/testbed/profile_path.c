/* Resolving paths named in the testbed profile; see the header. */
#include "platform/testbed/profile_path.h"

#include "platform/testbed/profile_parse.h"

static int is_separator(char c)
{
    return c == '\\' || c == '/';
}

static int is_letter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

static int is_absolute(const char* path, unsigned len)
{
    if (len >= 1 && is_separator(path[0]))
        return 1;
    return len >= 2 && is_letter(path[0]) && path[1] == ':';
}

/* Length of the folder part of path, its last separator included. A second
 * byte 0x5C of a double-byte character is not a separator. */
static unsigned folder_length(const char* path)
{
    unsigned i = 0;
    unsigned folder = 0;
    if (is_letter(path[0]) && path[1] == ':')
        folder = 2;
    while (path[i] != '\0') {
        if (testbed_is_lead_byte((unsigned char)path[i]) && path[i + 1] != '\0') {
            i += 2;
            continue;
        }
        if (is_separator(path[i]))
            folder = i + 1;
        i++;
    }
    return folder;
}

int testbed_resolve_path(const char* profilePath, const char* path, unsigned pathLen, char* out,
                         unsigned outSize)
{
    unsigned folder = 0;
    unsigned n = 0;
    unsigned i;
    if (!out || outSize == 0)
        return 0;
    out[0] = '\0';
    if (!path || pathLen == 0)
        return 0;
    if (!is_absolute(path, pathLen) && profilePath)
        folder = folder_length(profilePath);
    if (folder + pathLen >= outSize)
        return 0;
    /* Both copies stop at a NUL as well, which also keeps the compiler from
     * turning them into calls to memcpy. */
    for (i = 0; i < folder && profilePath[i] != '\0'; i++)
        out[n++] = profilePath[i];
    for (i = 0; i < pathLen && path[i] != '\0'; i++)
        out[n++] = path[i];
    out[n] = '\0';
    return 1;
}
