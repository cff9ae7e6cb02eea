#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "camera/LutTables.h"
#include "core/Interfaces.h"
#include "core/Outcome.h"

namespace vistrel {

// The camera gamma data file: a header line and one line "red,green,blue" per table entry.
inline constexpr const char* kGammaHeader = "GammaData (R G B)";
inline constexpr const char* kGammaExtension = "csv";
inline constexpr const char* kGammaOpenFilter = "Camera gamma data (*.csv) | *.csv ||";
inline constexpr const char* kGammaSaveFilter = "Camera gamm data (*.csv) | *.csv";
// Far more than any gamma data file holds; a larger file is not read.
inline constexpr std::size_t kMaxGammaFileBytes = 1024 * 1024;

// What a load made of a file.
struct GammaLoad {
  bool ok = false;
  int dataLines = 0;  // data lines stored (those of a failed load are not kept)
};

// The file's text for the three tables, lines ended with CR LF.
std::string FormatGammaText(const LutTableSet& tables);
// The 32 data lines alone, each ended with a line feed (for printing).
std::string FormatGammaDataLines(const LutTableSet& tables);

// Writes the file, replacing an existing one whole: a failed write leaves the old file. Shows
// "PATH\nCouldn't open this file" when it cannot be written (NotWritten).
Outcome SaveGammaCsv(const std::string& path, const LutTableSet& tables,
                     IMessagePresenter& messages);

// Reads a file into the tables. The tables change only when the whole file was read: a file
// refused part-way leaves them as they were. A file with fewer data lines changes only the
// entries it has. Every refusal is shown with an error icon.
GammaLoad LoadGammaCsv(const std::string& path, LutTableSet& tables, IMessagePresenter& messages);
// The same for the file's text.
GammaLoad LoadGammaText(std::string_view text, LutTableSet& tables, IMessagePresenter& messages);

}  // namespace vistrel
