#pragma once
// Where the program's data files live on Linux.
#include <string>

namespace qv {

// The folder of the running executable, ending with "/".
std::string ExecutableFolder();
// The data folder, ending with "/": the executable's when its rows file is there (a portable
// copy), else $XDG_DATA_HOME/quorvanel/, made and given the shipped files it lacks
// (from <exe>/../share/quorvanel/ or <exe>/data/).
std::string DataFolder(const std::string& exeFolder);

}  // namespace qv
