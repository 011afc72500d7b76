#include "services/StartUp.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace trelvik;

namespace {

// The window starts without its volumes and says so; a command that needs them stops before it writes.
TEST(StartUpTest, MissingVolumesAreAnErrorOnlyWhereTheyAreNeeded)
{
    testsupport::TempAppDir dir;
    std::filesystem::remove_all(dir.path() / "data" / "en");
    const std::string missing = dir.str() + "/data/en";

    const StartUp window = StartProgram(StartUpRequest{dir.str() + "//", false, true});
    ASSERT_TRUE(window) << window.error;
    EXPECT_EQ(window.appDir, dir.str());
    EXPECT_EQ(window.missingDictionaryFolder, missing);
    EXPECT_EQ(window.userDictPath, dir.userDict());

    const StartUp lookup = StartProgram(StartUpRequest{dir.str(), true, true});
    EXPECT_EQ(lookup.error, "no dictionary in " + dir.str() + ": " + missing + " is not a folder");

    const StartUp notAFolder = StartProgram(StartUpRequest{dir.userDict(), false, true});
    EXPECT_EQ(notAFolder.error, dir.userDict() + " is not a folder.");
}

} // namespace
