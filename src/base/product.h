#pragma once
// The product's name and version, for the program's texts and for the executable's version
// resource (which reads this file through the resource compiler, so macros only).

#define QV_PRODUCT_NAME "Quorvanel Clips"
// The executable's name, and the name the program calls itself by in short texts.
#define QV_SHORT_NAME "Quorvanel"
#define QV_VERSION_MAJOR 1
#define QV_VERSION_MINOR 2
#define QV_VERSION_TEXT "1.2"
// (The manifest's assemblyIdentity says 1.2.0.0 as well: XML goes through no preprocessor.)
