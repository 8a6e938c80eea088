#pragma once
// The running programs of a Linux system, read from /proc.

#include <string>
#include <vector>

#include "unCLDesktop.h"

namespace mivo {

// Every process with the file name of its executable (without folder):
// the target of /proc/N/exe where it can be read, else the first word of
// its command line, else the kernel's short name.
std::vector<ProgramaEmExecucao> listarProgramasLinux(const std::string& raizProc = "/proc");

}  // namespace mivo
