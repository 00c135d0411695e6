#include <QCoreApplication>
#include <gtest/gtest.h>

// Tests of the libraries without widgets run with an event loop but no display.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
