#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "command_line.h"
#include "skinpack.h"

int main(int argc, char** argv) {
    kalvoro::skinpack::Environment environment{
        kalvoro::DiskFileStore(), std::cout, std::cerr, [](const std::string& folder) {
            std::error_code error;
            const std::filesystem::path path(
                std::u8string(reinterpret_cast<const char8_t*>(folder.data()), folder.size()));
            std::filesystem::create_directories(path, error);
            return std::filesystem::is_directory(path, error);
        }};
    return kalvoro::skinpack::Run(kalvoro::skinpack::CommandLineArguments(argc, argv), environment);
}
