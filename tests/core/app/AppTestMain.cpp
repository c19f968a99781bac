// Main of the document-logic tests. They touch no files of the user; tests that need files make
// their own temporary folder.

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
