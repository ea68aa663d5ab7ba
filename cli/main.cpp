// SPDX-License-Identifier: MIT
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/translation.h"

int main(int argc, char** argv) {
    torvelin::UseMessageLanguage();
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return static_cast<int>(torvelin::RunCommandLine(arguments));
}
