// A section of the tests' own: plain zeroed memory standing for a freshly
// created "WatchAcsObj", with its conditions kept under a registry key of
// this test process (HKCU), so tests neither see nor change the machine's
// conditions.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/tidemark/system_facts.h"
#include "platform/tidemark/watch_acs.h"
#include "platform/tidemark/watch_section.h"

class SectionFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    WatchAcs& Acs() { return tidemark::AcsOf(section_); }
    // Another view's worth of fresh memory, as a new session would see it.
    void StartFreshSection();

    // Values in the test key: a REG_DWORD, or raw bytes of any type;
    // drive 'C' etc. for a drive's subkey, 0 for the key itself.
    void WriteDword(char drive, const char* name, DWORD value);
    void WriteRaw(char drive, const char* name, DWORD type, const void* data, DWORD size);
    // The stored REG_DWORD, or false when there is none.
    bool ReadDword(char drive, const char* name, DWORD* value);

    const char* KeyPath() const { return keyPath_; }

    // Two fixed drives, c: and e:, and a swap of 512 MB with 100 MB in use.
    static tidemark::SystemFacts SampleFacts();

    tidemark::WatchSectionLayout section_;

private:
    void SubkeyPath(char drive, char* out, size_t size) const;
    char keyPath_[128];
};

// Deletes key and everything under it (RegDeleteKeyA leaves subkeys on NT).
void DeleteKeyTree(HKEY root, const char* path);
