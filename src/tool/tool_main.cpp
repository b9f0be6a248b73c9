#include <iostream>

#include "tool/commands.h"

int main(int argc, char** argv) {
    const vallora::tool::Arguments args(argv + 1, argv + argc);
    const int status = vallora::tool::RunTool(args, std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout) return status == vallora::tool::kExitOk ? vallora::tool::kExitFailed : status;
    return status;
}
