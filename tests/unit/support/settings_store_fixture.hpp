#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "fake_host.hpp"
#include "settings/settings_store.hpp"

namespace tarnwick::testing {

// A settings store over a fresh temporary folder, whose host reports a plugin
// configuration directory that does not exist yet, several levels below it.
class SettingsStoreOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarnwick-store-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        host.configDirectory = (root / "portable" / "plugins" / "Config").u16string();
        store.initPaths(host.handle());
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    std::filesystem::path file() const { return std::filesystem::path(store.filePath()); }
    std::filesystem::path backup() const { return std::filesystem::path(store.backupPath()); }

    std::filesystem::path root;
    FakeHost host;
    SettingsStore store;
};

}  // namespace tarnwick::testing
