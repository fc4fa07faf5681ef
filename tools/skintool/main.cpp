#include "tools/skintool/skintool.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return skin::tool::RunSkintool(args, std::cout, std::cerr);
}
