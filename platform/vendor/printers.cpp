#include "platform/vendor/printers.h"

#include <windows.h>

#include <cstdio>

#include "platform/vendor/attribute_catalogue.h"

namespace vendor {

namespace {

// A spooler answer larger than this is not taken: even hundreds of printers
// fit in far less.
constexpr DWORD kMaxPrinterListBytes = 1024 * 1024;

struct PrinterRow {
    std::string name;
    std::string resolution;
    std::string paperSize;
    bool isDefault = false;
};

struct PaperName {
    int size;
    const char* name;
};

const PaperName kPaperNames[] = {
    {DMPAPER_LETTER, "ﾚﾀｰ"},
    {DMPAPER_LEGAL, "ﾘｰｶﾞﾙ"},
    {DMPAPER_EXECUTIVE, "ｴｸﾞｾﾞｸﾃｨﾌﾞ"},
    {DMPAPER_A3, "A3"},
    {DMPAPER_A4, "A4"},
    {DMPAPER_A4SMALL, "A4"},
    {DMPAPER_A5, "A5"},
    {DMPAPER_B4, "B4 (JIS)"},
    {DMPAPER_B5, "B5 (JIS)"},
    {DMPAPER_JAPANESE_POSTCARD, "はがき"},
    {DMPAPER_DBL_JAPANESE_POSTCARD, "往復はがき"},
};

std::string DefaultPrinterName()
{
    char entry[512];
    GetProfileStringA("windows", "device", "", entry, sizeof entry);
    return PrinterNameOfDeviceEntry(entry);
}

// The spooler's list of local printers and connections, level 2. Windows 95
// may refuse the connections flag: then the local ones alone.
bool EnumeratePrinters(DWORD flags, std::vector<BYTE>* buffer, DWORD* count)
{
    DWORD needed = 0;
    for (int attempt = 0; attempt < 3; attempt++) {
        buffer->assign(needed ? needed : 1, 0);
        if (EnumPrintersA(flags, nullptr, 2, buffer->data(), needed, &needed, count))
            return true;
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0 || needed > kMaxPrinterListBytes)
            return false;
    }
    return false;  // the list kept growing while it was read
}

std::vector<PrinterRow> ReadPrinters()
{
    std::vector<PrinterRow> rows;
    std::vector<BYTE> buffer;
    DWORD count = 0;
    if (!EnumeratePrinters(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, &buffer, &count) &&
        !EnumeratePrinters(PRINTER_ENUM_LOCAL, &buffer, &count))
        return rows;
    if (count > buffer.size() / sizeof(PRINTER_INFO_2A))
        count = static_cast<DWORD>(buffer.size() / sizeof(PRINTER_INFO_2A));
    const PRINTER_INFO_2A* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    const std::string defaultName = DefaultPrinterName();
    for (DWORD i = 0; i < count && rows.size() < kMaxTableRows; i++) {
        if (!info[i].pPrinterName || !info[i].pPrinterName[0])
            continue;
        PrinterRow row;
        row.name = info[i].pPrinterName;
        row.isDefault = !defaultName.empty() && lstrcmpiA(defaultName.c_str(), info[i].pPrinterName) == 0;
        if (const DEVMODEA* mode = info[i].pDevMode) {
            row.resolution = PrintResolutionText((mode->dmFields & DM_PRINTQUALITY) != 0, mode->dmPrintQuality,
                                                 (mode->dmFields & DM_YRESOLUTION) != 0, mode->dmYResolution);
            row.paperSize = PaperSizeText((mode->dmFields & DM_PAPERSIZE) != 0, mode->dmPaperSize,
                                          (mode->dmFields & DM_PAPERLENGTH) && (mode->dmFields & DM_PAPERWIDTH),
                                          mode->dmPaperLength, mode->dmPaperWidth);
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

std::string PrintResolutionText(bool haveQuality, int quality, bool haveYResolution, int yResolution)
{
    if (!haveQuality)
        return std::string();
    switch (quality) {
    case DMRES_DRAFT: return "ﾄﾞﾗﾌﾄ";
    case DMRES_LOW: return "低";
    case DMRES_MEDIUM: return "中";
    case DMRES_HIGH: return "高";
    default: break;
    }
    if (quality <= 0)
        return std::string();
    char text[48];
    std::snprintf(text, sizeof text, "%d x %d dpi", quality,
                  haveYResolution && yResolution > 0 ? yResolution : quality);
    return text;
}

std::string PaperSizeText(bool haveSize, int size, bool haveDimensions, int lengthTenthsMm,
                          int widthTenthsMm)
{
    if (haveSize) {
        for (const PaperName& paper : kPaperNames) {
            if (paper.size == size)
                return paper.name;
        }
    }
    if (haveDimensions && lengthTenthsMm > 0 && widthTenthsMm > 0) {
        char text[48];
        std::snprintf(text, sizeof text, "%d x %d mm", widthTenthsMm / 10, lengthTenthsMm / 10);
        return text;
    }
    return std::string();
}

std::string PrinterNameOfDeviceEntry(const std::string& entry)
{
    return entry.substr(0, entry.find(','));
}

std::vector<uint32_t> ReadPrinterRows()
{
    std::vector<uint32_t> keys;
    const size_t count = ReadPrinters().size();
    for (size_t i = 1; i <= count; i++)
        keys.push_back(static_cast<uint32_t>(i));
    return keys;
}

bool ReadPrinterValue(uint32_t key, uint32_t attribute, Value* out)
{
    if (attribute < 2 || attribute > 5)
        return false;
    const std::vector<PrinterRow> rows = ReadPrinters();
    if (key == 0 || key > rows.size())
        return false;
    const PrinterRow& row = rows[key - 1];
    switch (attribute) {
    case 2: *out = TextValue(row.name); break;
    case 3: *out = TextValue(row.resolution); break;
    case 4: *out = TextValue(row.paperSize); break;
    default: *out = IntegerValue(row.isDefault ? 1 : 0); break;
    }
    return true;
}

}  // namespace vendor
