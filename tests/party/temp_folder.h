// A fresh folder under the system's temporary one for a test, removed with
// everything in it when the test ends, and the problems found in it.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "party/problem.h"

class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "frosthem-party-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // The problems as the program prints them, the folder named "P".
    std::vector<std::string> described(const Problems& problems) const
    {
        std::vector<std::string> out;
        for (const Problem& p : problems) {
            std::string s = describe(p);
            for (size_t at; (at = s.find(dir_.string())) != std::string::npos;)
                s.replace(at, dir_.string().size(), "P");
            out.push_back(s);
        }
        return out;
    }

    std::filesystem::path dir_;
};
