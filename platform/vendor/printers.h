// Group 16, the installed printers, keyed 1, 2, ... in the order the spooler
// lists them: attribute 2 the printer's name, 3 its resolution, 4 the paper
// size selected in its settings, 5 whether it is the default printer (1) or
// not (0).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/vendor/vendor_values.h"

namespace vendor {

// The resolution text of a printer's settings: "600 x 600 dpi" from a print
// quality in dots per inch and the vertical resolution (0 or less: the same
// as across), or the quality's name for the negative DMRES_ levels ("高" for
// high); "" when the settings give none.
std::string PrintResolutionText(bool haveQuality, int quality, bool haveYResolution, int yResolution);

// The name of a DMPAPER_ paper size as a Japanese Windows shows it ("A4",
// "B5 (JIS)", "はがき"); a size without a name is shown by its dimensions
// in millimetres when the settings give them, otherwise "".
std::string PaperSizeText(bool haveSize, int size, bool haveDimensions, int lengthTenthsMm,
                          int widthTenthsMm);

// The printer name in a "name,driver,port" default-printer entry.
std::string PrinterNameOfDeviceEntry(const std::string& entry);

std::vector<uint32_t> ReadPrinterRows();
bool ReadPrinterValue(uint32_t key, uint32_t attribute, Value* out);

}  // namespace vendor
