// A designer document on the virtual printer, and the fixture templates of tests/fixtures.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "report/core/designer/design_document.h"
#include "report/core/model/model_state.h"

namespace report::testing {

inline std::string FixturePath(const std::string& name) {
    const char* source = std::getenv("TOMBAGE_SOURCE_DIR");
    return std::string(source != nullptr ? source : ".") + "/tests/fixtures/" + name;
}

class DesignerTest : public ::testing::Test {
  protected:
    DesignerTest() {
        state.printer.Start(nullptr);
        folder = std::filesystem::temp_directory_path() /
                 ("designer_test_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
    }
    ~DesignerTest() override { std::filesystem::remove_all(folder); }

    std::string Temp(const std::string& name) const { return (folder / name).string(); }

    ModelState state;
    std::filesystem::path folder;
};

}  // namespace report::testing
