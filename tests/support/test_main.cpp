// Test entry: every test runs without a display or a sound card, with its
// own private settings folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <unistd.h>

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    char folder[] = "/tmp/quadrimo-tests-XXXXXX";
    if (mkdtemp(folder) != nullptr) setenv("XDG_DATA_HOME", folder, 1);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::system((std::string("rm -rf '") + folder + "'").c_str());
    return result;
}
