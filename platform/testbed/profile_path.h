/* Paths named inside the testbed profile, such as [SMBIOS] Table=, are read
 * against the folder of the profile file when they are relative.
 * Pure C99 without the C library, like profile_parse.c, so that the driver can
 * use it too. */
#ifndef TESTBED_PROFILE_PATH_H
#define TESTBED_PROFILE_PATH_H

#ifdef __cplusplus
extern "C" {
#endif

/* Resolves path (pathLen bytes, code page 932) against the folder of
 * profilePath (NUL-terminated). A path that starts with a drive ("C:"), a
 * backslash or a slash is taken as it is; any other is put after the profile's
 * folder (everything up to its last '\' or '/'). Returns 1 with the result in
 * out, or 0 with out empty when path is empty or the result does not fit into
 * outSize - 1 bytes: a cut path would name another file. */
int testbed_resolve_path(const char* profilePath, const char* path, unsigned pathLen, char* out,
                         unsigned outSize);

#ifdef __cplusplus
}
#endif

#endif
