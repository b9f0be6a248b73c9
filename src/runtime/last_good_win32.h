#pragma once
// The last definition this PC ran as its desktop, kept with its page and
// icons in Vallora's program-data folder, so that a desktop start whose own
// definition cannot be loaded still runs locked down.
#include <string>

namespace vallora {

// "<program data>\Brenmark\Vallora\LastGood\LastGood.vla"; empty when the
// system names no program-data folder.
std::string LastGoodDefinitionPath();

// Copies the definition, its page and the page's icon folder over the kept
// copy; the copied page names the copied icons. Returns whether the
// definition and the page were copied. A start from the copy itself keeps it.
bool KeepLastGoodDefinition(const std::string& definitionPath);

}  // namespace vallora
