#pragma once
// The main window's "&Export Skin Names" menu command.
#include <optional>
#include <string>
#include <vector>

#include "core/base/message_box.hpp"

namespace fw {

struct SkinExport {
    std::string headskins;  // "headskins.txt": file;name;head value, CR LF after each line
    std::string bodyskins;  // "bodyskins.txt": file;name;body value
};

// The two files' contents for the files of a characters folder, in list order. The sim name is
// the last name chunk's first entry; the head value is appearance entry 3 after its first "=",
// the body value entry 2 in the same way, both whole (";" and what follows included). A file
// that cannot be read, or whose name chunk or appearance list cannot be taken apart, is left out.
SkinExport skin_export_lines(const std::string& characters_folder, const std::vector<std::string>& files);

// Writes "headskins.txt" and "bodyskins.txt" into the program folder (replacing them) and returns
// the "Export Complete" box. With no files nothing is written and no box is shown. Guarded
// (frmMain / smenuExport_Click, location 0).
std::optional<BoxMessage> export_skin_names(const std::string& characters_folder,
                                            const std::vector<std::string>& files);

}  // namespace fw
