/* The program's version, in one place for the resource scripts (VERSIONINFO)
   and the code (the splash window's version text). Plain macros: the
   resource compiler reads this file too. */
#ifndef VALLORA_PLATFORM_VERSION_H
#define VALLORA_PLATFORM_VERSION_H

#define VALLORA_VERSION_MAJOR 1
#define VALLORA_VERSION_MINOR 0
#define VALLORA_VERSION_REVISION 0

#define VALLORA_STRINGIZE_(x) #x
#define VALLORA_STRINGIZE(x) VALLORA_STRINGIZE_(x)
/* "1.0.0" */
#define VALLORA_VERSION_STRING                                                  \
    VALLORA_STRINGIZE(VALLORA_VERSION_MAJOR) "." VALLORA_STRINGIZE(VALLORA_VERSION_MINOR) "." \
        VALLORA_STRINGIZE(VALLORA_VERSION_REVISION)

#define VALLORA_COMPANY_NAME "Brenmark"
#define VALLORA_PRODUCT_NAME "Vallora"

#endif
