/* Resource ids of Vallora.exe, one block per resource type. Forms, menus and
   texts are built in code; the resources are the icon, the version and the
   manifest, and room for bitmaps the forms may load. */
#ifndef VALLORA_RESOURCES_RESOURCE_H
#define VALLORA_RESOURCES_RESOURCE_H

/* Icons 1-99. The lowest id is the program's icon in the shell. */
#define IDI_VALLORA 1

/* Bitmaps 100-199. */

/* Version information and manifest use the fixed id 1
   (VS_VERSION_INFO, CREATEPROCESS_MANIFEST_RESOURCE_ID). */

#endif
