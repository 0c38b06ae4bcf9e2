#pragma once
// Resource ids shared by quorvanel.rc and the code that loads the resources.

// The program's icon: the lowest id, so Explorer shows it for the exe.
#define QV_PROGRAM_ICON 1
